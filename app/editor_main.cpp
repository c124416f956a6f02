// The component editor on the screen: installs the wxWidgets backend and the settings
// file, opens what the command line names and runs the event loop. With --self-test it
// also plays a user: it assigns one pin by clicking with the mouse, saves and quits,
// leaving screenshots behind.
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_component_frame.h"
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/editor_options.h"
#include "app/file_prompt.h"
#include "app/main_frame.h"
#include "app/self_test_targets.h"
#include "gui/screenshot.h"
#include "gui/wx_backend.h"
#include "gui/wx_peer.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

namespace {

const char* const kLibraryWildcard = "Component libraries (*.cmplib)|*.cmplib|All files (*)|*";

class WxFilePrompt : public FilePrompt {
 public:
  CString AskLibraryToOpen(const CString& folder) override {
    wxFileDialog dialog(nullptr, "Open Library", ToWx(folder), "", kLibraryWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
  CString AskLibraryToSave(const CString& suggested) override {
    const std::filesystem::path path(suggested.str());
    wxFileDialog dialog(nullptr, "Save Component As", path.parent_path().string(), path.filename().string(),
                        kLibraryWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
};

// Steps run one after another on the event loop, with time for the screen to catch up.
class StepRunner {
 public:
  void Then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
  void Start() {
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { RunNext(); });
    m_timer.StartOnce(1500);
  }

 private:
  // The timer runs on before the step, so that steps go on inside a modal loop that
  // a step opens.
  void RunNext() {
    if (m_next >= m_steps.size()) return;
    const std::function<void()> step = m_steps[m_next++];
    m_timer.StartOnce(500);
    step();
  }

  std::vector<std::function<void()>> m_steps;
  size_t m_next = 0;
  wxTimer m_timer;
};

// The self-test: one pin assigned by clicking a PCB pad and a schematic terminal.
class SelfTest {
 public:
  SelfTest(CEditorApp& app, const EditorOptions& options) : m_app(app), m_options(options) {}

  // The component is chosen in the picker by typing its name into the filter.
  void Start() {
    m_steps.Then([this] { m_app.OpenLibrary(m_options.library); });
    m_steps.Then([] {});  // the dialog comes up
    m_steps.Then([this] { m_sim.Text(m_options.component.c_str()); });
    m_steps.Then([] {});  // the list follows the filter
    m_steps.Then([this] {
      ScreenshotOf(wxGetTopLevelParent(wxWindow::FindFocus()), "editor-picker.png");
      CheckFilterHolds(m_options.component);
    });
    m_steps.Then([this] { m_sim.Char(WXK_RETURN); });
    m_steps.Then([this] { Screenshot("editor-sample.png"); });
    m_steps.Then([this] { ClickTool(ID_APP_ASSIGN_PINS); });
    m_steps.Then([this] { ClickTarget(PcbPadTarget(Frame(), m_options.assignment->pin), "the PCB pad"); });
    m_steps.Then([this] {
      ClickTarget(ScmTerminalTarget(Frame(), m_options.assignment->gate, m_options.assignment->terminal),
                  "the schematic terminal");
    });
    m_steps.Then([this] { Screenshot("editor-pin-assigned.png"); });
    m_steps.Then([this] { ClickTool(ID_APP_SELECT_MODE); });
    m_steps.Then([this] { m_sim.Char('s', wxMOD_CONTROL); });
    m_steps.Then([this] { Finish(); });
    m_steps.Start();
  }

 private:
  CAppComponentFrame& Frame() {
    CAppComponentFrame* frame =
        m_app.MainFrame() != nullptr ? m_app.MainFrame()->ActiveComponentFrame() : nullptr;
    if (frame == nullptr) Fail("no component is open");
    return *frame;
  }

  // A failed run ends at once: a window left open could wait for a user forever.
  [[noreturn]] static void Fail(const std::string& problem) {
    std::fprintf(stderr, "self-test: %s\n", problem.c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }

  // Every key typed must land in the filter: a widget that lost its caret between keys
  // would keep only the last one.
  static void CheckFilterHolds(const CString& typed) {
    const auto* filter = wxDynamicCast(wxWindow::FindFocus(), wxTextCtrl);
    const std::string shown = filter != nullptr ? filter->GetValue().utf8_string() : std::string();
    if (shown != typed.str()) Fail("the filter holds \"" + shown + "\", not \"" + typed.str() + "\"");
  }

  void Screenshot(const std::string& name) { ScreenshotOf(PeerWindow(m_app.MainFrame()->m_hWnd), name); }

  void ScreenshotOf(wxWindow* window, const std::string& name) {
    if (window == nullptr) Fail("there is no window for " + name);
    std::string error;
    const std::string path = (std::filesystem::path(m_options.selfTestDirectory.str()) / name).string();
    if (!SaveScreenshot(window, path, error)) Fail(error);
  }

  void ClickAt(wxPoint point) {
    m_sim.MouseMove(point);
    wxYield();
    m_sim.MouseClick();
  }

  void ClickTool(UINT command) {
    wxWindow* bar = PeerWindow(m_app.MainFrame()->ToolBar().m_hWnd);
    wxWindow* button = bar != nullptr ? bar->FindWindow(WxCommandId(command)) : nullptr;
    if (button == nullptr) Fail("the tool bar has no button for command " + std::to_string(command));
    const wxRect area = button->GetScreenRect();
    ClickAt({area.x + area.width / 2, area.y + area.height / 2});
  }

  void ClickTarget(const ::ClickTarget& target, const std::string& what) {
    wxWindow* view = target.view != nullptr ? PeerWindow(target.view->m_hWnd) : nullptr;
    if (view == nullptr) Fail("the drawing shows no " + what);
    ClickAt(view->ClientToScreen(wxPoint(target.point.x, target.point.y)));
  }

  void Finish() {
    if (m_app.MainFrame() == nullptr) return;
    CAppComponentFrame& frame = Frame();
    if (frame.GetDesign()->IsModified()) Fail("the library was not saved");
    m_app.Quit();
  }

  CEditorApp& m_app;
  EditorOptions m_options;
  StepRunner m_steps;
  wxUIActionSimulator m_sim;
};

class EditorWxApp : public wxApp {
 public:
  bool OnInit() override {
    std::vector<std::string> words;
    for (int index = 0; index < argc; ++index) words.push_back(argv[index].ToStdString());
    std::vector<const char*> pointers;
    for (const std::string& word : words) pointers.push_back(word.c_str());
    CString error;
    if (!ParseEditorOptions(argc, pointers.data(), m_options, error)) {
      std::fprintf(stderr, "%s\n%s", error.c_str(), EditorUsage());
      return false;
    }
    auto settings = std::make_unique<FileSettingsStore>();
    m_settingsProblem = settings->LoadProblem();
    SetCurrentSettings(std::move(settings));
    SetCurrentBackend(std::make_unique<WxBackend>());
    m_app = std::make_unique<CEditorApp>(m_prompt);
    if (!m_app->InitInstance()) {
      std::fprintf(stderr, "The main window could not be made.\n");
      return false;
    }
    CallAfter([this] { OpenFromCommandLine(); });
    return true;
  }

  int OnExit() override {
    m_selfTest.reset();
    m_app.reset();
    SetCurrentBackend(nullptr);
    return wxApp::OnExit();
  }

 private:
  void OpenFromCommandLine() {
    if (!m_settingsProblem.IsEmpty())
      AfxMessageBox(m_settingsProblem + "\n\nThe editor starts with its default settings.",
                    MB_OK | MB_ICONWARNING);
    if (m_options.library.IsEmpty()) return;
    if (m_options.component.IsEmpty()) {
      m_app->OpenLibrary(m_options.library);
      return;
    }
    if (m_options.selfTestDirectory.IsEmpty()) {
      m_app->OpenComponent(m_options.library, m_options.component);
      return;
    }
    m_selfTest = std::make_unique<SelfTest>(*m_app, m_options);
    m_selfTest->Start();
  }

  EditorOptions m_options;
  CString m_settingsProblem;
  WxFilePrompt m_prompt;
  std::unique_ptr<CEditorApp> m_app;
  std::unique_ptr<SelfTest> m_selfTest;
};

}  // namespace

wxIMPLEMENT_APP(EditorWxApp);
