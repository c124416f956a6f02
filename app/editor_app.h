// CEditorApp: the component editor application. It owns the main window and one
// design per open component, opens components from library files, saves them back
// into their library, asks before unsaved changes are lost, and keeps its settings
// (recent libraries, window size) in the settings store.
//
// A component is opened by reading its package records from the library into a new
// design and creating a CAppComponentFrame on it as a child of the main window; the
// design's path name is its library. Saving puts the records back in place of the
// library's component of the same name and leaves every other component as it was;
// the file is replaced atomically, so a failed save leaves it untouched.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/recovery_store.h"
#include "platform/cstring.h"
#include "platform/win_thread.h"

class CAppComponentFrame;
class CDesign;
class CMainFrame;
class FilePrompt;
class RecoverySchedule;
class RecoveryWriter;
struct LibraryEntry;

class CEditorApp : public CWinApp {
  DECLARE_DYNAMIC(CEditorApp)

 public:
  // Settings of the application itself, beside the editor module's own.
  static constexpr const char* kRecentKey = "ComponentEditor\\RecentLibraries";
  static constexpr const char* kWindowKey = "ComponentEditor\\Window";
  // "Enabled" (default true), "QuietSeconds" and "LongestSeconds": whether and when
  // recovery copies of unsaved work are written.
  static constexpr const char* kRecoveryKey = "ComponentEditor\\Recovery";

  // The prompt answers the file choosers; it must outlive the application.
  explicit CEditorApp(FilePrompt& prompt);
  ~CEditorApp() override;

  // Loads the editor module and shows the main window at its remembered size. False
  // when the main window cannot be made.
  bool InitInstance();
  // The main window; null before InitInstance and after Quit.
  CMainFrame* MainFrame() const;
  bool IsRunning() const;
  // Where the application asks for files and shows folders.
  FilePrompt& Prompt() const { return m_prompt; }

  // ---- Opening ----
  // Reads the library's contents and lets the user pick a component, which opens.
  // False, after telling the user why, when the library cannot be read or holds
  // nothing; false without a word when the user cancels.
  bool OpenLibrary(const CString& path);
  // Opens the component of the library, or brings its frame forward when it is open
  // already. False, after telling the user why, when it cannot be loaded.
  bool OpenComponent(const CString& path, const CString& name);
  // Asks for a library and opens it.
  void OnOpenLibrary();
  // Picks another component of the library opened last.
  void OnOpenComponent();

  // ---- New ----
  // Asks for a new component with the New Component dialog and opens it in a tab of
  // its own as a component of the library, not yet in the file: the first save adds
  // it. False, after telling the user why, when the library cannot be read or already
  // holds a component of that name; false without a word when the user cancels.
  bool NewComponent(const CString& libraryPath);
  // New Component in the library of the tab in front, or else the library used last,
  // or else one the user picks.
  void OnNewComponent();
  // As NewComponent, with the Import Symbol dialog: a symbol of the field's libraries
  // becomes the new component. Pins the footprint has no pad for are reported.
  bool ImportSymbol(const CString& libraryPath);
  // Import Symbol into the library New Component would add to.
  void OnImportSymbol();
  // As NewComponent, with the Import Pin Table dialog on the table at `tablePath`: the
  // gates' symbols are written at once, the component on its first save. What the
  // footprints lacked or left unused is reported.
  bool ImportPinTable(const CString& libraryPath, const CString& tablePath);
  // Import Pin Table into the library New Component would add to, of a table the user picks.
  void OnImportPinTable();
  // Export to KiCad: the current component or components of its library go out as
  // symbols of the field's libraries; the summary says what was written and left out.
  void OnExportKicad();
  // Asks where to make an empty library, makes it, and asks for its first component.
  void OnNewLibrary();
  // The library that New Component adds to; empty when there is none yet.
  CString CurrentLibrary() const;

  // ---- Saving and closing ----
  // Writes back the grid's pending edits and saves the component into its library
  // (or, with `askPath`, one the user names). False, after telling the user why, when
  // nothing was saved.
  bool SaveDocument(CDesign& design, bool askPath);
  // Asks Yes/No/Cancel when the design has unsaved changes; Yes saves first. False
  // when the component stays open.
  bool CloseDocument(CDesign& design);
  // Closes every component; stops at the first that stays open.
  bool CloseAll();
  // Closes everything and then the main window, remembering its size.
  bool Quit();

  int CountOpenComponents() const { return static_cast<int>(m_documents.size()); }
  CAppComponentFrame* FindFrame(const CDesign& design) const;
  // The frame of the component of that library, null when it is not open.
  CAppComponentFrame* FindFrame(const CString& path, const CString& name) const;
  // Most recent first, at most kRecentLibraryCount.
  std::vector<CString> RecentLibraries() const;

  // ---- Recovery copies (editor_app_recovery.cpp) ----
  // While a component has unsaved changes, a copy of it is kept in the recovery folder,
  // written in the background a few seconds after the user stops changing it and at
  // least every minute; a save, a close or Quit removes it.
  using RecoveryClock = std::function<std::chrono::steady_clock::time_point()>;
  // The time the copies are timed by; the steady clock unless a test sets another.
  void SetRecoveryClock(RecoveryClock clock) { m_recoveryClock = std::move(clock); }
  // Writes the copies that are due; the program calls it about every second.
  void OnRecoveryTimer();
  // At start: offers the copies that programs no longer running left behind.
  void OfferRecoveryCopies();
  // Returns once the copies asked for so far are written or removed.
  void WaitForRecoveryCopies();
  // Empty when recovery copies are switched off.
  CString RecoveryFolder() const;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 private:
  struct OpenDocument {
    std::unique_ptr<CDesign> design;
    CString name;  // the component's name in its library
    // False for a new component until its first save has added it to the library.
    bool inLibrary = true;
    // Names the document's recovery copy.
    int serial = 0;
    bool copyWritten = false;
    // How the library file stood when the component was opened (or last saved).
    LibraryFileState libraryAtOpen;
    // The component as the file held it when it was opened or last saved.
    std::optional<std::string> storedForm;
  };

  void OnQuit();
  void OnRecentLibrary(UINT command);
  void OnUpdateOpenComponent(CCmdUI* state);
  void OnShowGrid();
  void OnUpdateShowGrid(CCmdUI* state);

  // Opens the component `make` puts into a new design as a new component of the
  // library; false, without a word, when `make` does (the user cancelled).
  bool MakeNewComponent(const CString& libraryPath, const std::function<bool(CDesign&)>& make);
  OpenDocument* FindDocument(const CDesign& design) const;
  // The name of the component the design holds in its library.
  CString ComponentName(const CDesign& design) const;
  // The library's components, or an empty list after telling the user why not.
  bool ReadLibrary(const CString& path, std::vector<LibraryEntry>& entries);
  // Saves the component under `name`, which becomes the copy's name when the user saves
  // a component changed on disk meanwhile as a copy.
  bool WriteComponent(CDesign& design, const CString& path, CString& name, bool addNew);
  // True, after telling the user, when the library (or a tab of it) already has a
  // component of that name.
  bool RefuseTakenName(const CString& path, const CString& name);
  // False, with the reason recorded as the last error, when the library cannot be read,
  // or it (or a tab of it) already has a component of that name.
  bool AcceptNewName(const CString& path, const CString& name) const;
  static CString TakenNameText(const CString& path, const CString& name);
  // Opens a frame on the document's design; false, after telling the user, when the
  // frame cannot be made (the document is dropped then).
  bool ShowDocument(std::unique_ptr<OpenDocument> document);
  void ForgetDocument(const CDesign& design);
  void RememberLibrary(const CString& path);
  void RestoreWindowSize();
  void SaveWindowSize();

  // A document on a new design that tells the recovery schedule of its changes.
  std::unique_ptr<OpenDocument> MakeDocument(bool inLibrary);
  void StartRecovery();
  void NoteRecoveryChange(int serial, bool modified);
  RecoveryCopy TakeRecoveryCopy(const OpenDocument& document) const;
  // Saved or closed: the document's copy goes, and with a save the library's new state
  // becomes the one the next copy compares with.
  void DropRecoveryCopy(OpenDocument& document);
  bool RestoreCopy(const RecoveryFile& file);
  bool AskRestoreOverChangedLibrary(const RecoveryCopy& copy);
  bool DiscardCopy(const RecoveryFile& file);

  FilePrompt& m_prompt;
  std::unique_ptr<CMainFrame> m_mainFrame;
  std::vector<std::unique_ptr<OpenDocument>> m_documents;
  // The library opened last: Open Component picks from it.
  CString m_lastLibrary;
  bool m_moduleLoaded = false;
  bool m_hostResourcesAdded = false;
  RecoveryClock m_recoveryClock;
  std::unique_ptr<RecoverySchedule> m_recoverySchedule;
  std::unique_ptr<RecoveryWriter> m_recoveryWriter;
  int m_nextRecoverySerial = 1;
};

// The running application, null when there is none (or it is not this one).
CEditorApp* EditorApp();
