#include "tests/app/app_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/menu.h"
#include "platform/program_path.h"

namespace {

ClickTarget TargetOf(CSymbolView* view, const CPadInstance* pad) {
  if (view == nullptr || pad == nullptr) return {};
  return {view, view->GetTransform().ToView(pad->GetPosition())};
}

}  // namespace

ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin) {
  CPcbSymbolView* view = frame.GetSymbolsFrame() != nullptr ? frame.GetSymbolsFrame()->GetPcbView() : nullptr;
  return TargetOf(view, view != nullptr ? Land(*view, pin) : nullptr);
}

ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal) {
  CScmSymbolView* view = frame.GetSymbolsFrame() != nullptr ? frame.GetSymbolsFrame()->GetScmView() : nullptr;
  return TargetOf(view, view != nullptr ? Terminal(*view, gate, terminal) : nullptr);
}

void AppTest::SetUp() {
  HeadlessTest::SetUp();
  m_settings = &InstallMemorySettings();
  SetProgramPathForTesting(CE_DATA_DIR);
  std::filesystem::copy_file(CE_DATA_DIR "/sample.cmplib", m_folder.Path() / "sample.cmplib");
  // Recovery copies go to the test's folder, never the user's.
  setenv("XDG_STATE_HOME", (m_folder.Path() / "state").c_str(), 1);
  original = LibraryText();
  m_app = std::make_unique<CEditorApp>(prompt);
  ASSERT_TRUE(m_app->InitInstance());
}

// Closing asks about unsaved changes; a test that left some has checked them.
void AppTest::CloseComponents() {
  for (int guard = 0; m_app->CountOpenComponents() > 0 && guard < 10; ++guard) {
    if (Frame().GetDesign()->IsModified()) Screen().ExpectMessageBox(IDNO);
    m_app->CloseDocument(*Frame().GetDesign());
  }
}

void AppTest::Restart() {
  CloseComponents();
  m_app->Quit();
  m_app = std::make_unique<CEditorApp>(prompt);
  ASSERT_TRUE(m_app->InitInstance());
}

void AppTest::TearDown() {
  CloseComponents();
  m_app.reset();
  HeadlessTest::TearDown();
  SetProgramPathForTesting("");
  SetCurrentSettings(nullptr);
}

CMainFrame& AppTest::Main() {
  CMainFrame* main = m_app->MainFrame();
  if (main == nullptr) throw std::logic_error("the main window is gone");
  return *main;
}

CAppComponentFrame& AppTest::Frame() {
  CAppComponentFrame* frame = Main().ActiveComponentFrame();
  if (frame == nullptr) throw std::logic_error("no component is open");
  return *frame;
}

void AppTest::AssignByClicking(int pin, int gate, int terminal) {
  Click(PcbPadTarget(Frame(), pin));
  Click(ScmTerminalTarget(Frame(), gate, terminal));
}

void AppTest::FillAndConfirm(UINT command, int id, const std::vector<std::pair<int, CString>>& fields) {
  Screen().ExpectDialog(id, [fields](CDialog& dialog, UserInput& input) {
    Fill(dialog, input, fields);
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), command));
}

const MenuEntry& AppTest::MenuItem(UINT command) {
  const int popup = Main().GetMenu()->FindPopupHolding(command);
  if (popup < 0 || !user.OpenMenu(&Main(), popup)) throw std::logic_error("no menu holds the command");
  return *Main().GetMenu()->FindCommand(command);
}

std::vector<fs::path> AppTest::RecoveryFiles() {
  std::vector<fs::path> files;
  std::error_code code;
  for (const auto& entry : fs::directory_iterator(App().RecoveryFolder().str(), code))
    files.push_back(entry.path());
  return files;
}

RecoveryCopy AppTest::ReadRecovery(const fs::path& file) {
  RecoveryCopy copy;
  CString error;
  EXPECT_TRUE(CRecoveryStore::Parse(ReadFileText(file), file.string(), copy, error)) << error.str();
  return copy;
}

void AppTest::AssignInAnOpenRun(int pin, int gate, int terminal) {
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(pin, gate, terminal);
  ASSERT_TRUE(Frame().GetDesign()->IsUndoLevelOpen());
}

void AppTest::ChangeOnePin(int pin, int gate, int terminal) {
  AssignInAnOpenRun(pin, gate, terminal);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
  ASSERT_TRUE(Frame().GetDesign()->IsModified());
}

int AppTest::MessagesHolding(const char* part) {
  int count = 0;
  for (const ShownMessageBox& box : Screen().MessageBoxesShown()) count += box.text.Find(part) >= 0 ? 1 : 0;
  return count;
}

void AppTest::UseFieldLibraries() {
  Samples::Write(Path("").str());
  CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CScmSymbolLibrary), Path(Samples::kSymbolLibrary));
  CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CPcbSymbolLibrary), Path(Samples::kFootprintFolder));
}

std::vector<CPadInstance*> AppTest::Pads(bool pcb) {
  CSymbolsFrame* symbols = Frame().GetSymbolsFrame();
  const CSymbolView* view =
      pcb ? static_cast<const CSymbolView*>(symbols->GetPcbView()) : symbols->GetScmView();
  return view != nullptr ? PlacedPads(*view) : std::vector<CPadInstance*>();
}

std::vector<CString> Items(CWnd* box) {
  std::vector<CString> lines;
  if (const auto* list = DynamicDowncast<CListBox>(box))
    for (int i = 0; i < list->GetCount(); ++i) list->GetText(i, lines.emplace_back());
  if (const auto* combo = DynamicDowncast<CComboBox>(box))
    for (int i = 0; i < combo->GetCount(); ++i) combo->GetLBText(i, lines.emplace_back());
  return lines;
}

void Fill(CDialog& dialog, UserInput& input, const std::vector<std::pair<int, CString>>& fields) {
  for (const auto& [id, text] : fields) {
    CWnd* control = dialog.GetDlgItem(id);
    const std::vector<CString> lines = Items(control);
    const bool listed = std::find(lines.begin(), lines.end(), text) != lines.end();
    const bool combo = DynamicDowncast<CComboBox>(control) != nullptr;
    EXPECT_TRUE(!combo   ? input.TypeText(control, text)
                : listed ? input.ChooseComboEntry(control, text)
                         : input.TypeComboText(control, text))
        << "control " << id << ": " << text.str();
  }
}

const CComponent* AppTest::OnDisk(const char* name, const char* package, CString library) {
  CDesign& design = m_loaded.emplace_back();
  CString error;
  EXPECT_TRUE(
      CComponentLibraryFile::LoadComponent(library.IsEmpty() ? Library() : library, name, design, error))
      << error.str();
  return *package != '\0' ? design.FindComponent(name, package) : design.FirstComponent();
}

void AppTest::ExpectSheet(int button, const std::function<void(CWnd& page, UserInput&)>& act) {
  Screen().ExpectDialog(0, [this, button, act](CDialog& dialog, UserInput& input) {
    auto* sheet = DynamicDowncast<CPropertySheet>(&dialog);
    ASSERT_NE(sheet, nullptr) << "the dialog shown is not a property sheet";
    sheetOpenedAt = sheet->GetActivePage()->GetRuntimeClass()->m_lpszClassName;
    act(*sheet->GetActivePage(), input);
    input.Click(sheet->GetDlgItem(button));
  });
}

void AppTest::Click(const ClickTarget& target, bool twice) {
  ASSERT_NE(target.view, nullptr);
  ASSERT_TRUE(twice ? user.LeftDoubleClick(target.view, target.point)
                    : user.LeftClick(target.view, target.point));
}
