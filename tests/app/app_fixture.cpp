#include "tests/app/app_fixture.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "host/model/design.h"
#include "platform/menu.h"
#include "platform/program_path.h"
#include "tests/app/click_targets.h"

void AppTest::SetUp() {
  HeadlessTest::SetUp();
  m_settings = &InstallMemorySettings();
  SetProgramPathForTesting(CE_DATA_DIR);
  std::filesystem::copy_file(CE_DATA_DIR "/sample.cmplib", m_folder.Path() / "sample.cmplib");
  // Recovery copies go to the test's folder, never the user's.
  setenv("XDG_STATE_HOME", (m_folder.Path() / "state").c_str(), 1);
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
  const ClickTarget pad = PcbPadTarget(Frame(), pin);
  const ClickTarget term = ScmTerminalTarget(Frame(), gate, terminal);
  ASSERT_NE(pad.view, nullptr) << "no pad of pin " << pin;
  ASSERT_NE(term.view, nullptr) << "no terminal " << terminal << " of gate " << gate;
  ASSERT_TRUE(user.LeftClick(pad.view, pad.point));
  ASSERT_TRUE(user.LeftClick(term.view, term.point));
}

bool AppTest::MenuEnabled(UINT command) {
  return MenuItem(command).enabled;
}

const MenuEntry& AppTest::MenuItem(UINT command) {
  const int popup = Main().GetMenu()->FindPopupHolding(command);
  if (popup < 0 || !user.OpenMenu(&Main(), popup)) throw std::logic_error("no menu holds the command");
  return *Main().GetMenu()->FindCommand(command);
}

int AppTest::PinOnDisk(const char* name, int record, CString library) {
  CDesign design;
  CString error;
  if (!CComponentLibraryFile::LoadComponent(library.IsEmpty() ? Library() : library, name, design, error))
    return -100;
  POSITION position = nullptr;
  CComponent* component = design.FirstComponent(position);
  for (int i = 0; i < record && component != nullptr; ++i) component = design.NextComponent(position);
  return component != nullptr ? component->GetPinNumber(0, 1) : -100;
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
