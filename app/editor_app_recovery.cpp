// CEditorApp's recovery copies: the designs tell a schedule of their changes, the
// timer hands the copies that are due to a writer thread, and at start the copies that
// programs no longer running left behind are offered for restoring.
#include <algorithm>
#include <ctime>
#include <filesystem>

#include "app/app_component_frame.h"
#include "app/editor_app.h"
#include "app/main_frame.h"
#include "app/recovery_dialog.h"
#include "app/recovery_schedule.h"
#include "app/recovery_writer.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "platform/app_registry.h"
#include "platform/message_box.h"

namespace {

// A design that tells whoever made it of every change of its modified flag: every
// undo step, undo and redo sets it.
class CWatchedDesign : public CDesign {
 public:
  using Observer = std::function<void(bool modified)>;
  explicit CWatchedDesign(Observer observer) : m_observer(std::move(observer)) {}

  void SetModifiedFlag(BOOL modified) override {
    CDesign::SetModifiedFlag(modified);
    if (m_observer) m_observer(modified != FALSE);
  }

 private:
  Observer m_observer;
};

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

RecoverySchedule::Clock::duration Seconds(const CAppRegistry& registry, const char* name,
                                          RecoverySchedule::Clock::duration fallback) {
  unsigned long seconds = 0;
  if (!registry.GetValue(name, seconds) || seconds == 0 || seconds > 24 * 3600) return fallback;
  return std::chrono::seconds(seconds);
}

}  // namespace

std::unique_ptr<CEditorApp::OpenDocument> CEditorApp::MakeDocument(bool inLibrary) {
  auto document = std::make_unique<OpenDocument>();
  const int serial = m_nextRecoverySerial++;
  document->serial = serial;
  document->inLibrary = inLibrary;
  document->design = std::make_unique<CWatchedDesign>(
      [this, serial](bool modified) { NoteRecoveryChange(serial, modified); });
  return document;
}

void CEditorApp::StartRecovery() {
  const CAppRegistry registry(kRecoveryKey);
  bool enabled = true;
  registry.GetValue("Enabled", enabled);
  if (!enabled) return;
  m_recoverySchedule =
      std::make_unique<RecoverySchedule>(Seconds(registry, "QuietSeconds", RecoverySchedule::kQuiet),
                                         Seconds(registry, "LongestSeconds", RecoverySchedule::kLongest));
  m_recoveryWriter = std::make_unique<RecoveryWriter>(CRecoveryStore(CRecoveryStore::DefaultFolder()));
}

CString CEditorApp::RecoveryFolder() const {
  return m_recoveryWriter != nullptr ? m_recoveryWriter->Store().Folder() : CString();
}

void CEditorApp::NoteRecoveryChange(int serial, bool modified) {
  if (m_recoverySchedule == nullptr) return;
  if (!modified) {
    m_recoverySchedule->NoteCopied(serial);
    return;
  }
  m_recoverySchedule->NoteChange(serial,
                                 m_recoveryClock ? m_recoveryClock() : RecoverySchedule::Clock::now());
}

RecoveryCopy CEditorApp::TakeRecoveryCopy(const OpenDocument& document) const {
  const CDesign& design = *document.design;
  const CComponent* first = design.FirstComponent();
  RecoveryCopy copy;
  copy.owner = ProcessIdentity::Current();
  copy.library = design.GetPathName();
  copy.inLibrary = document.inLibrary;
  copy.libraryAtOpen = document.libraryAtOpen;
  copy.component = CComponentLibraryFile::CollectComponent(design, first != nullptr ? first->GetName() : "");
  return copy;
}

void CEditorApp::OnRecoveryTimer() {
  if (m_recoveryWriter == nullptr) return;
  CMainFrame* main = MainFrame();
  for (const CString& problem : m_recoveryWriter->TakeProblems()) {
    if (main != nullptr) main->SetMessageText(problem);
  }
  const auto now = m_recoveryClock ? m_recoveryClock() : RecoverySchedule::Clock::now();
  for (int serial : m_recoverySchedule->Due(now)) {
    m_recoverySchedule->NoteCopied(serial);
    const auto found = std::find_if(m_documents.begin(), m_documents.end(),
                                    [serial](const auto& document) { return document->serial == serial; });
    if (found == m_documents.end() || !(*found)->design->IsModified()) continue;
    OpenDocument& document = **found;
    m_recoveryWriter->Write(m_recoveryWriter->Store().PathFor(serial), TakeRecoveryCopy(document));
    document.copyWritten = true;
  }
}

void CEditorApp::DropRecoveryCopy(OpenDocument& document) {
  if (m_recoverySchedule != nullptr) m_recoverySchedule->NoteCopied(document.serial);
  if (m_recoveryWriter == nullptr || !document.copyWritten) return;
  m_recoveryWriter->Remove(m_recoveryWriter->Store().PathFor(document.serial));
  document.copyWritten = false;
}

void CEditorApp::WaitForRecoveryCopies() {
  if (m_recoveryWriter != nullptr) m_recoveryWriter->Wait();
}

// ---- Restoring ----

void CEditorApp::OfferRecoveryCopies() {
  if (m_recoveryWriter == nullptr || !IsRunning()) return;
  std::vector<RecoveryFile> files = m_recoveryWriter->Store().ListLeftBehind();
  if (files.empty()) return;
  CRecoveryDialog dialog(
      std::move(files), [this](const RecoveryFile& file) { return RestoreCopy(file); },
      [this](const RecoveryFile& file) { return DiscardCopy(file); }, std::time(nullptr), m_mainFrame.get());
  dialog.DoModal();
}

bool CEditorApp::AskRestoreOverChangedLibrary(const RecoveryCopy& copy) {
  const LibraryFileState now = LibraryFileState::Of(copy.library);
  if (now == copy.libraryAtOpen) return true;
  const CString& name = copy.component.name;
  CString text;
  if (!now.exists) {
    text.Format("The library \"%s\" is no longer there. Restore %s anyway? A save makes the library anew.",
                copy.library.c_str(), name.c_str());
  } else {
    text.Format(
        "The library \"%s\" has changed on disk since %s was opened. Restore the copy anyway? A save puts "
        "the copy in place of the library's %s; its other components stay as they are.",
        copy.library.c_str(), name.c_str(), name.c_str());
  }
  return AfxMessageBox(text, MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool CEditorApp::RestoreCopy(const RecoveryFile& file) {
  const RecoveryCopy& copy = *file.copy;
  const CString& name = copy.component.name;
  if (FindFrame(copy.library, name) != nullptr) {
    AfxMessageBox(
        name + " of " + FileNameOf(copy.library) + " is open already: close it first to restore the copy.",
        MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!AskRestoreOverChangedLibrary(copy)) return false;
  std::unique_ptr<OpenDocument> document = MakeDocument(copy.inLibrary);
  OpenDocument& restored = *document;
  // Records added outside any undo level: the restored state is where undo starts.
  for (const ComponentValue& value : copy.component.records)
    document->design->AddComponent(value.name, value.package)->RestoreValue(value);
  document->name = name;
  document->libraryAtOpen = copy.libraryAtOpen;
  document->design->SetPathName(copy.library);
  if (!ShowDocument(std::move(document))) return false;
  restored.design->SetModifiedFlag(TRUE);
  // The copy becomes this program's before the old one goes, so a second crash loses
  // nothing either.
  if (m_recoverySchedule != nullptr) m_recoverySchedule->NoteCopied(restored.serial);
  m_recoveryWriter->Write(m_recoveryWriter->Store().PathFor(restored.serial), TakeRecoveryCopy(restored));
  restored.copyWritten = true;
  m_recoveryWriter->Remove(file.path);
  m_lastLibrary = copy.library;
  return true;
}

bool CEditorApp::DiscardCopy(const RecoveryFile& file) {
  CString error;
  if (m_recoveryWriter->Store().Remove(file.path, error)) return true;
  AfxMessageBox(error, MB_OK | MB_ICONERROR);
  return false;
}
