#include "tests/editor/support/editor_fixture.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>

#include "editor/frame/editor_module.h"
#include "host/model/component_library_file.h"
#include "platform/dialog.h"
#include "platform/program_path.h"

IMPLEMENT_DYNCREATE(CHostMainWindow, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CHostComponentFrame, CComponentFrame)

// The host answers the end of a pin-assignment run itself; routing it on would hand it
// back to the view that sent it. Starting the select mode stops the assign modes, which
// announce the end again: the guard keeps that echo from answering itself.
LRESULT CHostMainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) m_commands.push_back(LOWORD(wParam));
  if (message != WM_COMMAND || LOWORD(wParam) != ID_PIN_ASSIGNMENT_ENDED) {
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  if (m_assignmentEnded && !m_answering) {
    m_answering = true;
    m_assignmentEnded();
    m_answering = false;
  }
  return 0;
}

void HintRecorder::OnUpdate(CView* sender, LPARAM hint, CObject* object) {
  RecordedHint& record = m_hints.emplace_back();
  record.hint = hint;
  record.sender = sender;
  record.object = object;
  if (const auto* number = hint == HintPinNumber ? DynamicDowncast<CPinNumberHint>(object) : nullptr) {
    record.symbol = number->GetSymbolName();
    record.gate = number->GetGate();
    record.terminal = number->GetTerminal();
    record.pin = number->GetPin();
  }
  if (const auto* name = hint == HintPinName ? DynamicDowncast<CPinNameHint>(object) : nullptr) {
    record.symbol = name->GetSymbolName();
    record.terminal = name->GetTerminal();
    record.name = name->GetTerminalName();
  }
}

std::vector<LPARAM> HintRecorder::Values() const {
  std::vector<LPARAM> values;
  for (const RecordedHint& record : m_hints) values.push_back(record.hint);
  return values;
}

std::vector<RecordedHint> HintRecorder::OfKind(LPARAM hint) const {
  std::vector<RecordedHint> records;
  std::copy_if(m_hints.begin(), m_hints.end(), std::back_inserter(records),
               [&](const RecordedHint& record) { return record.hint == hint; });
  return records;
}

std::vector<UINT> UndoRecorder::Ids(UndoLevelEvent::Kind kind) const {
  std::vector<UINT> ids;
  for (const UndoLevelEvent& event : m_events) {
    if (event.kind == kind) ids.push_back(event.id);
  }
  return ids;
}

bool UndoRecorder::Balanced() const {
  std::vector<UINT> open;
  for (const UndoLevelEvent& event : m_events) {
    const bool start = event.kind == UndoLevelEvent::Kind::Start;
    if (!start && (open.empty() || open.back() != event.id)) return false;
    start ? open.push_back(event.id) : open.pop_back();
  }
  return open.empty();
}

namespace {

// The sample footprints (of footprints.pcblib) by pad count, smallest first.
constexpr std::pair<const char*, int> kSampleFootprints[] = {
    {"0805", 2},    {"SOT-23", 3},   {"DIP-8", 8},     {"SOIC-8", 8},  {"HDR-2x5", 10},
    {"DIP-14", 14}, {"SOIC-14", 14}, {"TSSOP-14", 14}, {"DIP-16", 16}, {"QFN-16", 17}};

}  // namespace

ComponentBuilder& ComponentBuilder::Gates(int count, int terminals) {
  // One symbol of the sample schematic libraries per terminal count.
  const std::map<int, const char*> symbols = {{2, "INV"}, {3, "NAND2"}, {4, "DFF"}, {10, "CONN10"}};
  const auto symbol = symbols.find(terminals);
  if (symbol != symbols.end()) {
    return Gates(count, symbol->second, terminals, terminals == 10 ? "connectors.scmlib" : "logic.scmlib");
  }
  ADD_FAILURE() << "no sample symbol has " << terminals << " terminals (2, 3, 4 or 10)";
  return *this;
}

void ComponentBuilder::BuildInto(CDesign& design) const {
  int terminals = 0;
  for (const GateSpec& gate : m_gates) terminals += gate.terminals;
  std::vector<PackageSpec> packages = m_packages;
  if (packages.empty()) packages.push_back({"", "", 0, "footprints.pcblib"});
  for (PackageSpec& plan : packages) {
    if (plan.pads > 0) continue;
    const auto* footprint =
        std::find_if(std::begin(kSampleFootprints), std::end(kSampleFootprints), [&](const auto& sample) {
          return plan.footprint.IsEmpty() ? sample.second >= terminals : plan.footprint == sample.first;
        });
    if (footprint == std::end(kSampleFootprints)) {
      ADD_FAILURE() << "no sample footprint for package \"" << plan.package.str() << "\"";
      return;
    }
    plan.footprint = footprint->first;
    plan.pads = footprint->second;
    if (plan.package.IsEmpty()) plan.package = plan.footprint;
  }
  for (const PackageSpec& plan : packages) {
    CComponent* component = design.AddComponent(m_name.c_str(), plan.package.c_str());
    component->SetPcbSymbol(plan.footprint.c_str());
    component->GetPcbComponent()->SetLibrary(plan.library.c_str());
    component->SetPinCount(plan.pads);
    const bool first = &plan == &packages.front();
    if (first) component->SetDefaultReference("U");
    int pin = 1;
    for (int index = 0; index < static_cast<int>(m_gates.size()); ++index) {
      const GateSpec& gate = m_gates[index];
      if (first)
        component->AddGate(index, gate.library.c_str(), gate.symbol.c_str(), gate.terminals, nullptr,
                           nullptr);
      for (int terminal = 1; terminal <= gate.terminals; ++terminal, ++pin) {
        component->SetPinName(index, terminal, ("T" + std::to_string(terminal)).c_str());
        component->SetPinNumber(index, terminal, m_assignPins && pin <= plan.pads ? pin : CGate::kNoPin);
      }
    }
  }
}

// Whole paths, as the editor reports the libraries it found.
CString EditorTest::DataDirectory() {
  return CString(std::filesystem::absolute(CE_DATA_DIR).string());
}

void EditorTest::SetUp() {
  HeadlessTest::SetUp();
  m_settings = &InstallMemorySettings();
  SetProgramPathForTesting(DataDirectory());
  LoadComponentEditorModule();
  m_app = std::make_unique<CWinApp>("Component Editor");

  m_mainWindow = std::make_unique<CHostMainWindow>();
  ASSERT_TRUE(m_mainWindow->LoadFrame(0));
  m_mainWindow->SetTitle("Designer");
  m_mainWindow->MoveWindow(0, 0, 1200, 800);
  m_mainWindow->ShowWindow(SW_SHOW);
  m_app->m_pMainWnd = m_mainWindow.get();

  m_design = std::make_unique<CDesign>();
  m_design->SetPathName(SamplePath().c_str());
  m_design->SetUndoLevelObserver([this](const UndoLevelEvent& event) { m_undo.Record(event); });
  m_design->AddView(&m_hints);
}

void EditorTest::TearDown() {
  CloseEditor();
  AfxGetThread()->PumpMessages();
  if (m_mainWindow != nullptr) m_mainWindow->DestroyWindow();
  if (m_design != nullptr) m_design->RemoveView(&m_hints);
  m_design.reset();
  HeadlessTest::TearDown();
  if (m_app != nullptr) m_app->m_pMainWnd = nullptr;
  m_mainWindow.reset();
  m_app.reset();
  CFlexGrid::SetFailCreationForTesting(false);
  UnloadComponentEditorModule();
  SetProgramPathForTesting("");
  SetCurrentSettings(nullptr);
}

bool EditorTest::OpenSampleComponent(const char* name) {
  CString error;
  if (CComponentLibraryFile::LoadComponent(SamplePath(), name, *m_design, error)) return OpenEditor();
  ADD_FAILURE() << "cannot load \"" << name << "\" from the sample library: " << error.str();
  return false;
}

bool EditorTest::OpenEditor() {
  m_frame = OpenSecondFrame();
  if (m_frame == nullptr) ADD_FAILURE() << "the component frame was not created";
  return m_frame != nullptr;
}

CHostComponentFrame* EditorTest::OpenSecondFrame() {
  CCreateContext context;
  context.m_pCurrentDoc = m_design.get();
  auto* frame = static_cast<CHostComponentFrame*>(
      CreateMDIChild(RUNTIME_CLASS(CHostComponentFrame), m_mainWindow.get(), context));
  if (frame != nullptr) m_frameHandles.push_back(frame->GetSafeHwnd());
  return frame;
}

void EditorTest::CloseEditor() {
  for (HWND hwnd : m_frameHandles) {
    CWnd* frame = IsWindowHandle(hwnd) ? CWnd::FromHandlePermanent(hwnd) : nullptr;
    if (frame != nullptr) frame->DestroyWindow();
  }
  m_frameHandles.clear();
  m_frame = nullptr;
}

std::vector<CString> EditorTest::MessageTexts() {
  std::vector<CString> texts;
  for (const ShownMessageBox& box : Screen().MessageBoxesShown()) texts.push_back(box.text);
  return texts;
}

void EditorTest::ClearRecords() {
  m_hints.Clear();
  m_undo.Clear();
  m_settings->ClearWrites();
}

PinMap PinsOf(const CComponent& record) {
  PinMap pins;
  for (const GateValue& gate : record.GetValue().gates) {
    std::vector<int>& gatePins = pins.emplace_back();
    for (const TerminalValue& terminal : gate.terminals) gatePins.push_back(terminal.pin);
  }
  return pins;
}

void ExpectRefusedOnOk(HeadlessBackend& screen, UserInput& user, CDialog& dialog, const char* message,
                       int focus) {
  SCOPED_TRACE(message != nullptr ? message : "any message");
  screen.ExpectMessageBox(IDOK, message != nullptr ? std::optional<CString>(message) : std::nullopt);
  EXPECT_TRUE(user.Click(dialog.GetDlgItem(IDOK)));
  EXPECT_TRUE(dialog.IsModalActive()) << "the dialog stays open";
  EXPECT_EQ(CWnd::GetFocusHandle(), dialog.GetDlgItem(focus)->m_hWnd);
}

void ExpectDialogClosedBy(HeadlessBackend& screen, UINT templateId, int button,
                          HeadlessBackend::DialogResponder act) {
  screen.ExpectDialog(templateId, [button, act](CDialog& dialog, UserInput& input) {
    if (act) act(dialog, input);
    input.Click(dialog.GetDlgItem(button));
    if (!dialog.IsModalActive()) return;
    ADD_FAILURE() << "the dialog stayed open after button " << button;
    input.Click(dialog.GetDlgItem(IDCANCEL));
  });
}

std::vector<ComponentValue> RecordsOf(const CDesign& design) {
  std::vector<ComponentValue> records;
  POSITION position = nullptr;
  for (CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position))
    records.push_back(record->GetValue());
  return records;
}
