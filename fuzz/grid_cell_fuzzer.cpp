// What a user types into the pin grid's cells. The input is split at its NUL bytes (no
// key types one) into a terminal name, a pin number and a symbol name, in that order;
// the parts present are typed into the first block's symbol-name cell, its first
// terminal-name cell and the first gate's pin cell, as a user types them, and then the
// design is brought up to date as a command does before it runs. Whatever was typed,
// no undo level may stay open, and undoing every step must give the design back as it
// was.
//
// The editor is opened once per process on a small component of the sample libraries'
// symbols, headless as the editor tests open it; each input starts from that design.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "editor/frame/editor_module.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/component_editor_resources.h"
#include "editor/views/update_hints.h"
#include "fuzz/harness_check.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/resources/host_resources.h"
#include "host/utility/app_error.h"
#include "platform/headless_backend.h"
#include "platform/program_path.h"
#include "platform/resource_registry.h"
#include "platform/settings_store.h"
#include "platform/user_input.h"
#include "platform/win_thread.h"
#include "platform/window_handle.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

// The cells typed into: the block of both NAND2 gates starts on row 1; column 3 holds
// the pins of the first gate.
constexpr long kFirstRow = 1;
constexpr long kSymbolColumn = 0;
constexpr long kTerminalNameColumn = 1;
constexpr long kFirstPinColumn = 3;

struct TypedTexts {
  std::optional<CString> terminalName;
  std::optional<CString> pin;
  std::optional<CString> symbol;
};

TypedTexts SplitInput(std::string_view text) {
  std::vector<std::optional<CString>> parts;
  while (parts.size() < 3) {
    const size_t end = text.find('\0');
    parts.emplace_back(CString(text.substr(0, end)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  parts.resize(3);
  return {parts[0], parts[1], parts[2]};
}

// Refusals of bad input are message boxes, answered as a user would close them; a
// fresh backend per input keeps the record of them from growing.
void InstallQuietBackend() {
  auto backend = std::make_unique<HeadlessBackend>();
  backend->SetFailureHandler([](const std::string&) {});
  SetCurrentBackend(std::move(backend));
}

std::vector<ComponentValue> RecordValues(const CDesign& design) {
  std::vector<ComponentValue> values;
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    ComponentValue value = record->GetValue();
    value.id = 0;
    for (GateValue& gate : value.gates) gate.id = 0;
    values.push_back(std::move(value));
  }
  return values;
}

// A headless application with its main window and a component frame on the design.
class EditorSession {
 public:
  EditorSession() {
    Resources::AddModule(&HostResources());
    Resources::AddModule(&ComponentEditorResources());
    InstallQuietBackend();
    InstallMemorySettings();
    SetProgramPathForTesting(CE_DATA_DIR);
    LoadComponentEditorModule();
    m_app = std::make_unique<CWinApp>("Component Editor");
    m_mainWindow = std::make_unique<CHostMainWindow>();
    Require(m_mainWindow->LoadFrame(0), "the main window was not created");
    m_mainWindow->ShowWindow(SW_SHOW);
    m_app->m_pMainWnd = m_mainWindow.get();

    m_design = std::make_unique<CDesign>();
    m_design->SetPathName(CE_DATA_DIR "/sample.cmplib");
    ComponentBuilder("FUZZ")
        .Gates(2, 3)
        .Package("DIP-8", "DIP-8")
        .Package("SOIC-8", "SOIC-8")
        .BuildInto(*m_design);
    CCreateContext context;
    context.m_pCurrentDoc = m_design.get();
    m_frame = static_cast<CHostComponentFrame*>(
        CreateMDIChild(RUNTIME_CLASS(CHostComponentFrame), m_mainWindow.get(), context));
    Require(m_frame != nullptr && m_frame->GetGrid() != nullptr, "the editor did not open with its grid");
    m_frameHandle = m_frame->GetSafeHwnd();
    AfxGetThread()->PumpMessages();
    m_initialUndoCount = m_design->GetUndoCount();
    m_initialRecords = RecordValues(*m_design);
  }

  // Closes the windows while the framework that holds them is still there.
  ~EditorSession() {
    if (IsWindowHandle(m_frameHandle)) m_frame->DestroyWindow();
    AfxGetThread()->PumpMessages();
    m_mainWindow->DestroyWindow();
    m_design.reset();
    m_app->m_pMainWnd = nullptr;
    m_mainWindow.reset();
    m_app.reset();
    UnloadComponentEditorModule();
    SetProgramPathForTesting("");
    SetCurrentSettings(nullptr);
    SetCurrentBackend(nullptr);
  }
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  void Type(const TypedTexts& texts) {
    InstallQuietBackend();
    CAppError::ClearLastError();
    if (texts.symbol) TypeInto(kSymbolColumn, *texts.symbol);
    if (texts.terminalName) TypeInto(kTerminalNameColumn, *texts.terminalName);
    if (texts.pin) TypeInto(kFirstPinColumn, *texts.pin);
    m_frame->UpdateDesign();
    AfxGetThread()->PumpMessages();
    Require(!m_design->IsUndoLevelOpen(), "an undo level was left open");
  }

  // Undoes every step the input made and refills the grid, so that no cell stays
  // marked for the next input.
  void Reset() {
    while (m_design->GetUndoCount() > m_initialUndoCount) {
      Require(m_design->Undo(), "a step could not be undone");
    }
    m_design->UpdateAllViews(nullptr, HintComponent, nullptr);
    AfxGetThread()->PumpMessages();
    Require(RecordValues(*m_design) == m_initialRecords, "undoing every step did not restore the design");
  }

 private:
  void TypeInto(long column, const CString& text) {
    if (CComponentGrid* grid = m_frame->GetGrid())
      m_user.EditGridCell(&grid->GetEditGrid(), kFirstRow, column, text);
  }

  std::unique_ptr<CWinApp> m_app;
  std::unique_ptr<CHostMainWindow> m_mainWindow;
  std::unique_ptr<CDesign> m_design;
  CHostComponentFrame* m_frame = nullptr;  // not owned: the window owns it
  HWND m_frameHandle = nullptr;
  UserInput m_user;
  int m_initialUndoCount = 0;
  std::vector<ComponentValue> m_initialRecords;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Made at the first input and closed at exit, before the framework's own statics go.
  static EditorSession session;
  session.Type(SplitInput(InputText(data, size)));
  session.Reset();
  return 0;
}
