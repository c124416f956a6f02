// The component editor on the screen: installs the wxWidgets backend and the settings
// file, opens what the command line names and runs the event loop.
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app_clipboard.h"
#include "app/editor_app.h"
#include "app/editor_options.h"
#include "app/file_prompt.h"
#include "gui/wx_backend.h"
#include "gui/wx_peer.h"
#include "host/model/symbol_library_locator.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

namespace {

constexpr int kRecoveryTickMs = 500;

const char* const kLibraryWildcard = "Component libraries (*.cmplib)|*.cmplib|All files (*)|*";
const char* const kPinMapWildcard =
    "Pin maps (*.csv;*.tsv)|*.csv;*.tsv|Comma-separated (*.csv)|*.csv|Tab-separated (*.tsv)|*.tsv|All files "
    "(*)|*";
const char* const kPinTableWildcard = "Pin tables (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt|All files (*)|*";

// The screen's clipboard, as plain text.
class WxClipboard : public AppClipboard {
 public:
  CString GetText() override {
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return {};
    wxTextDataObject data;
    return wxTheClipboard->GetData(data) ? FromWx(data.GetText()) : CString();
  }
  void SetText(const CString& text) override {
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxTextDataObject(ToWx(text)));
  }
};

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
  CString AskPinMapToOpen(const CString& folder) override {
    wxFileDialog dialog(nullptr, "Import Pin Map", ToWx(folder), "", kPinMapWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
  CString AskPinTableToOpen(const CString& folder) override {
    wxFileDialog dialog(nullptr, "Import Pin Table", ToWx(folder), "", kPinTableWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
  CString AskPinMapToSave(const CString& suggested) override {
    const std::filesystem::path path(suggested.str());
    wxFileDialog dialog(nullptr, "Export Pin Map", path.parent_path().string(), path.filename().string(),
                        kPinMapWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
  CString AskFolder(const CString& title, const CString& folder) override {
    wxDirDialog dialog(nullptr, ToWx(title), ToWx(folder), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : CString();
  }
  // The desktop's own opener (xdg-open on Linux) chooses the file manager.
  bool ShowFolder(const CString& folder) override { return wxLaunchDefaultApplication(ToWx(folder)); }
};

class EditorWxApp : public wxApp {
 public:
  // Scroll bars that fade in and out over the pin grid repaint all its visible cells on
  // every frame of the fading, which costs a big component a quarter of a second per
  // mouse move; classic scroll bars stay still. The program draws with cairo alone, but
  // the toolkit loads and asks the GL driver at start (a quarter of the time to the first
  // paint); it is told not to, for this program only, as it reads that once at start.
  // A user's own choices are kept.
  bool Initialize(int& count, wxChar** words) override {
    // Answered before the toolkit starts, so that it needs no display.
    if (count == 2 && wxString(words[1]) == "--version") {
      std::printf("component-editor %s\n", CE_VERSION);
      std::exit(0);
    }
    setenv("GTK_OVERLAY_SCROLLING", "0", 0);
    const bool glChosen = getenv("GDK_GL") != nullptr;
    if (!glChosen) setenv("GDK_GL", "disable", 1);
    const bool initialized = wxApp::Initialize(count, words);
    if (!glChosen) unsetenv("GDK_GL");
    return initialized;
  }

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
    for (const CString& folder : m_options.libraryFolders) CSymbolLibraryLocator::OfferFolder(folder);
    SetCurrentBackend(std::make_unique<WxBackend>());
    SetCurrentClipboard(std::make_unique<WxClipboard>());
    m_app = std::make_unique<CEditorApp>(m_prompt);
    if (!m_app->InitInstance()) {
      std::fprintf(stderr, "The main window could not be made.\n");
      return false;
    }
    CallAfter([this] { OpenFromCommandLine(); });
    // The recovery copies are timed in seconds; each tick costs nothing when none is due.
    m_recoveryTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      if (m_app != nullptr) m_app->OnRecoveryTimer();
    });
    m_recoveryTimer.Start(kRecoveryTickMs);
    return true;
  }

  int OnExit() override {
    m_recoveryTimer.Stop();
    m_app.reset();
    SetCurrentClipboard(nullptr);
    SetCurrentBackend(nullptr);
    return wxApp::OnExit();
  }

 private:
  void OpenFromCommandLine() {
    if (!m_settingsProblem.IsEmpty())
      AfxMessageBox(m_settingsProblem + "\n\nThe editor starts with its default settings.",
                    MB_OK | MB_ICONWARNING);
    m_app->OfferRecoveryCopies();
    if (m_options.library.IsEmpty()) return;
    if (m_options.component.IsEmpty()) {
      m_app->OpenLibrary(m_options.library);
      return;
    }
    m_app->OpenComponent(m_options.library, m_options.component);
  }

  EditorOptions m_options;
  CString m_settingsProblem;
  WxFilePrompt m_prompt;
  std::unique_ptr<CEditorApp> m_app;
  wxTimer m_recoveryTimer;
};

}  // namespace

wxIMPLEMENT_APP(EditorWxApp);
