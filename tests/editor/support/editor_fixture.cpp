#include "tests/editor/support/editor_fixture.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "editor/frame/editor_module.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/model/component_instance.h"
#include "host/model/component_library_file.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"
#include "host/utility/flex_grid.h"
#include "platform/dialog.h"
#include "platform/program_path.h"
#include "tests/editor/support/view_items.h"

IMPLEMENT_DYNCREATE(CHostMainWindow, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CHostComponentFrame, CComponentFrame)

namespace {

template <class T>
T& Required(T* object, const char* what) {
  if (object == nullptr) throw std::logic_error(std::string("the editor has no ") + what);
  return *object;
}

}  // namespace

// ---- CHostMainWindow ----

LRESULT CHostMainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const UINT id = LOWORD(wParam);
    m_commands.push_back(id);
    // The host answers the end of a pin-assignment run itself; routing it on would
    // hand it back to the view that sent it.
    if (id == ID_PIN_ASSIGNMENT_ENDED) {
      AnswerAssignmentEnded();
      return 0;
    }
  }
  return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

// Starting the select mode stops the assign modes, which announce the end again: the
// guard keeps that echo from answering itself.
void CHostMainWindow::AnswerAssignmentEnded() {
  if (!m_assignmentEnded || m_answering) return;
  m_answering = true;
  m_assignmentEnded();
  m_answering = false;
}

// ---- HintRecorder ----

void HintRecorder::OnUpdate(CView* sender, LPARAM hint, CObject* object) {
  RecordedHint record;
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
  m_hints.push_back(record);
}

std::vector<LPARAM> HintRecorder::Values() const {
  std::vector<LPARAM> values;
  for (const RecordedHint& record : m_hints) values.push_back(record.hint);
  return values;
}

std::vector<RecordedHint> HintRecorder::OfKind(LPARAM hint) const {
  std::vector<RecordedHint> records;
  for (const RecordedHint& record : m_hints) {
    if (record.hint == hint) records.push_back(record);
  }
  return records;
}

// ---- UndoRecorder ----

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
    if (event.kind == UndoLevelEvent::Kind::Start) {
      open.push_back(event.id);
      continue;
    }
    if (open.empty() || open.back() != event.id) return false;
    open.pop_back();
  }
  return open.empty();
}

// ---- ComponentBuilder ----

namespace {

struct SampleSymbol {
  const char* library;
  const char* name;
  int terminals;
};

// One symbol of the sample schematic libraries per terminal count.
constexpr SampleSymbol kSampleGateSymbols[] = {
    {"logic.scmlib", "INV", 2},
    {"logic.scmlib", "NAND2", 3},
    {"logic.scmlib", "DFF", 4},
    {"connectors.scmlib", "CONN10", 10},
};

// The sample footprints by pad count, smallest first.
constexpr SampleSymbol kSampleFootprints[] = {
    {"footprints.pcblib", "0805", 2},     {"footprints.pcblib", "SOT-23", 3},
    {"footprints.pcblib", "DIP-8", 8},    {"footprints.pcblib", "SOIC-8", 8},
    {"footprints.pcblib", "HDR-2x5", 10}, {"footprints.pcblib", "DIP-14", 14},
    {"footprints.pcblib", "SOIC-14", 14}, {"footprints.pcblib", "TSSOP-14", 14},
    {"footprints.pcblib", "DIP-16", 16},  {"footprints.pcblib", "QFN-16", 17},
};

constexpr const char* kFootprintLibrary = "footprints.pcblib";

const SampleSymbol* FindFootprint(const CString& name) {
  for (const SampleSymbol& footprint : kSampleFootprints) {
    if (name == footprint.name) return &footprint;
  }
  return nullptr;
}

const SampleSymbol* SmallestFootprintFor(int pads) {
  for (const SampleSymbol& footprint : kSampleFootprints) {
    if (footprint.terminals >= pads) return &footprint;
  }
  return nullptr;
}

}  // namespace

ComponentBuilder::ComponentBuilder(const char* name) : m_name(name) {}

ComponentBuilder& ComponentBuilder::Gates(int count, int terminals) {
  for (const SampleSymbol& symbol : kSampleGateSymbols) {
    if (symbol.terminals == terminals) return Gates(count, symbol.name, terminals, symbol.library);
  }
  ADD_FAILURE() << "no sample symbol has " << terminals << " terminals (2, 3, 4 or 10)";
  return *this;
}

ComponentBuilder& ComponentBuilder::Gates(int count, const char* symbol, int terminals, const char* library) {
  for (int i = 0; i < count; ++i) m_gates.push_back({library, symbol, terminals});
  return *this;
}

ComponentBuilder& ComponentBuilder::Package(const char* package, const char* footprint) {
  m_packages.push_back({package, footprint != nullptr ? footprint : "", 0, kFootprintLibrary});
  return *this;
}

ComponentBuilder& ComponentBuilder::Package(const char* package, const char* footprint, int pads,
                                            const char* library) {
  m_packages.push_back({package, footprint, pads, library});
  return *this;
}

ComponentBuilder& ComponentBuilder::Unassigned() {
  m_assignPins = false;
  return *this;
}

int ComponentBuilder::TotalTerminals() const {
  int total = 0;
  for (const GateSpec& gate : m_gates) total += gate.terminals;
  return total;
}

void ComponentBuilder::BuildInto(CDesign& design) const {
  std::vector<PackageSpec> packages = m_packages;
  if (packages.empty()) packages.push_back({"", "", 0, kFootprintLibrary});
  for (PackageSpec& plan : packages) {
    if (plan.pads > 0) continue;
    const SampleSymbol* footprint =
        plan.footprint.IsEmpty() ? SmallestFootprintFor(TotalTerminals()) : FindFootprint(plan.footprint);
    if (footprint == nullptr) {
      ADD_FAILURE() << "no sample footprint for package \"" << plan.package.str() << "\"";
      return;
    }
    plan.footprint = footprint->name;
    plan.pads = footprint->terminals;
    if (plan.package.IsEmpty()) plan.package = footprint->name;
  }

  bool first = true;
  for (const PackageSpec& plan : packages) {
    CComponent* component = design.AddComponent(m_name.c_str(), plan.package.c_str());
    component->SetPcbSymbol(plan.footprint.c_str());
    component->GetPcbComponent()->SetLibrary(plan.library.c_str());
    component->SetPinCount(plan.pads);
    if (first) {
      component->SetDefaultReference("U");
      int index = 0;
      for (const GateSpec& gate : m_gates) {
        component->AddGate(index++, gate.library.c_str(), gate.symbol.c_str(), gate.terminals, nullptr,
                           nullptr);
      }
      first = false;
    }
    int pin = 1;
    int index = 0;
    for (const GateSpec& gate : m_gates) {
      for (int terminal = 1; terminal <= gate.terminals; ++terminal) {
        CString name;
        name.Format("T%d", terminal);
        component->SetPinName(index, terminal, name.c_str());
        const bool assign = m_assignPins && pin <= plan.pads;
        component->SetPinNumber(index, terminal, assign ? pin : CGate::kNoPin);
        ++pin;
      }
      ++index;
    }
  }
}

// ---- EditorTest ----

// Whole paths, as the editor reports the libraries it found.
CString EditorTest::DataDirectory() {
  return CString(std::filesystem::absolute(CE_DATA_DIR).string());
}

CString EditorTest::SamplePath() {
  return DataDirectory() + "/sample.cmplib";
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
  if (m_gridFails) CFlexGrid::SetFailCreationForTesting(false);
  UnloadComponentEditorModule();
  SetProgramPathForTesting("");
  SetCurrentSettings(nullptr);
  m_settings = nullptr;
}

bool EditorTest::OpenSampleComponent(const char* name) {
  CString error;
  if (!CComponentLibraryFile::LoadComponent(SamplePath(), name, *m_design, error)) {
    ADD_FAILURE() << "cannot load \"" << name << "\" from the sample library: " << error.str();
    return false;
  }
  return OpenEditor();
}

bool EditorTest::OpenEditor(const ComponentBuilder& builder) {
  builder.BuildInto(*m_design);
  return OpenEditor();
}

bool EditorTest::OpenEditor() {
  if (m_frame != nullptr) {
    ADD_FAILURE() << "an editor is open already; use OpenSecondFrame for another window";
    return false;
  }
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
    if (!IsWindowHandle(hwnd)) continue;
    if (CWnd* frame = CWnd::FromHandlePermanent(hwnd)) frame->DestroyWindow();
  }
  m_frameHandles.clear();
  m_frame = nullptr;
}

void EditorTest::FailGridCreation() {
  CFlexGrid::SetFailCreationForTesting(true);
  m_gridFails = true;
}

CHostComponentFrame& EditorTest::Frame() {
  return Required(m_frame, "frame open");
}

CSymbolsFrame& EditorTest::Symbols() {
  return Required(Frame().GetSymbolsFrame(), "symbols frame");
}

CScmSymbolView& EditorTest::ScmView() {
  return Required(Symbols().GetScmView(), "schematic view");
}

CPcbSymbolView& EditorTest::PcbView() {
  return Required(Symbols().GetPcbView(), "PCB view");
}

CComponentGrid* EditorTest::Grid() {
  return Frame().GetGrid();
}

CComponent& EditorTest::Component() {
  return Required(Frame().GetComponent(false), "current component");
}

namespace {

template <class T>
T* Found(T* item, const std::string& what) {
  if (item == nullptr) ADD_FAILURE() << "the drawing has no " << what;
  return item;
}

}  // namespace

CSymbolInstance* EditorTest::ScmGate(int gate) {
  for (CSymbolInstance* symbol : PlacedSymbols(ScmView())) {
    if (symbol->GetGate() == gate) return symbol;
  }
  return Found<CSymbolInstance>(nullptr, "symbol of gate " + std::to_string(gate));
}

CPadInstance* EditorTest::ScmTerminal(int gate, int terminal) {
  return Found(Terminal(ScmView(), gate, terminal),
               "terminal " + std::to_string(terminal) + " of gate " + std::to_string(gate));
}

CSymbolInstance* EditorTest::PcbFootprint() {
  const std::vector<CSymbolInstance*> symbols = PlacedSymbols(PcbView());
  return Found(symbols.empty() ? nullptr : symbols.front(), "footprint");
}

CPadInstance* EditorTest::PcbPad(int pin) {
  return Found(Land(PcbView(), pin), "pad of pin " + std::to_string(pin));
}

CPoint EditorTest::ClientPointOf(const CSymbolView& view, const CPadInstance* pad) {
  return view.GetTransform().ToView(pad->GetPosition());
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

void SampleEditorTest::SetUp() {
  EditorTest::SetUp();
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
}

PinMap PinsOf(const CComponent& record) {
  PinMap pins;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    pins.emplace_back();
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal)
      pins.back().push_back(record.GetPinNumber(index, terminal));
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
