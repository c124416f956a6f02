#include "app/editor_app.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "app/app_component_frame.h"
#include "app/command_ids.h"
#include "app/component_picker_dialog.h"
#include "app/component_save.h"
#include "app/display_colour_settings.h"
#include "app/file_prompt.h"
#include "app/import_symbol_dialog.h"
#include "app/main_frame.h"
#include "app/recovery_schedule.h"
#include "app/recovery_writer.h"
#include "editor/frame/editor_module.h"
#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/component_library_edit.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/resources/host_resources.h"
#include "host/utility/app_error.h"
#include "platform/app_registry.h"
#include "platform/mdi_tab_bar.h"
#include "platform/message_box.h"
#include "platform/program_path.h"
#include "platform/resource_registry.h"
#include "platform/settings_store.h"

IMPLEMENT_DYNAMIC(CEditorApp, CWinApp)

const MessageMap CEditorApp::kMessageMap{
    &CWinApp::kMessageMap,
    {
        CommandEntry(ID_APP_OPEN_LIBRARY, &CEditorApp::OnOpenLibrary),
        CommandEntry(ID_APP_OPEN_COMPONENT, &CEditorApp::OnOpenComponent),
        CommandEntry(ID_APP_NEW_COMPONENT, &CEditorApp::OnNewComponent),
        CommandEntry(ID_APP_NEW_LIBRARY, &CEditorApp::OnNewLibrary),
        CommandEntry(ID_APP_IMPORT_SYMBOL, &CEditorApp::OnImportSymbol),
        CommandEntry(ID_APP_IMPORT_PIN_TABLE, &CEditorApp::OnImportPinTable),
        CommandEntry(ID_APP_EXPORT_KICAD, &CEditorApp::OnExportKicad),
        UpdateCommandUIEntry(ID_APP_OPEN_COMPONENT, &CEditorApp::OnUpdateOpenComponent),
        CommandEntry(ID_APP_QUIT, &CEditorApp::OnQuit),
        CommandRangeEntry(ID_APP_RECENT_FIRST, ID_APP_RECENT_LAST, &CEditorApp::OnRecentLibrary),
        CommandEntry(ID_APP_SHOW_GRID, &CEditorApp::OnShowGrid),
        UpdateCommandUIEntry(ID_APP_SHOW_GRID, &CEditorApp::OnUpdateShowGrid),
    }};

namespace {

constexpr unsigned long kDefaultWidth = 1200;
constexpr unsigned long kDefaultHeight = 800;
constexpr unsigned long kMinimumSize = 480;
constexpr unsigned long kMaximumSize = 8000;

// Libraries are told apart by their absolute, normal path.
CString NormalPath(const CString& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path.str(), error);
  return error ? path : CString(absolute.lexically_normal().string());
}

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

CString FolderOf(const CString& path) {
  return std::filesystem::path(path.str()).parent_path().string();
}

unsigned long Clamp(unsigned long value) {
  return std::clamp(value, kMinimumSize, kMaximumSize);
}

}  // namespace

CEditorApp* EditorApp() {
  return DynamicDowncast<CEditorApp>(AfxGetApp());
}

CEditorApp::CEditorApp(FilePrompt& prompt) : CWinApp("Component Editor"), m_prompt(prompt) {}

CEditorApp::~CEditorApp() {
  if (m_mainFrame != nullptr && IsWindowHandle(m_mainFrame->m_hWnd)) m_mainFrame->DestroyWindow();
  m_documents.clear();
  if (m_pMainWnd == m_mainFrame.get()) m_pMainWnd = nullptr;
  m_mainFrame.reset();
  if (m_moduleLoaded) UnloadComponentEditorModule();
  if (m_hostResourcesAdded) Resources::RemoveModule(&HostResources());
}

bool CEditorApp::InitInstance() {
  if (!Resources::HasModule(&HostResources())) {
    Resources::AddModule(&HostResources());
    m_hostResourcesAdded = true;
  }
  LoadComponentEditorModule();
  m_moduleLoaded = true;
  m_mainFrame = std::make_unique<CMainFrame>();
  if (!m_mainFrame->LoadFrame(0)) {
    m_mainFrame.reset();
    return false;
  }
  m_pMainWnd = m_mainFrame.get();
  m_mainFrame->OnUpdateFrameTitle(TRUE);
  m_mainFrame->ShowRecentLibraries(RecentLibraries());
  RestoreWindowSize();
  m_mainFrame->ShowWindow(SW_SHOW);
  StartRecovery();
  const CString colourProblems = RepairDisplayColours(CurrentSettings());
  if (!colourProblems.IsEmpty()) AfxMessageBox(colourProblems, MB_OK | MB_ICONWARNING);
  return true;
}

CMainFrame* CEditorApp::MainFrame() const {
  return IsRunning() ? m_mainFrame.get() : nullptr;
}

bool CEditorApp::IsRunning() const {
  return m_mainFrame != nullptr && IsWindowHandle(m_mainFrame->m_hWnd);
}

// ---- Opening ----

bool CEditorApp::ReadLibrary(const CString& path, std::vector<LibraryEntry>& entries) {
  CString error;
  if (!CComponentLibraryFile::ReadContents(path, entries, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return false;
  }
  if (entries.empty()) {
    // An empty library is still the one New Component adds to from now on.
    m_lastLibrary = path;
    RememberLibrary(path);
    CString text;
    text.Format("The library \"%s\" holds no components yet. File > New Component adds one to it.",
                path.c_str());
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  return true;
}

bool CEditorApp::OpenLibrary(const CString& givenPath) {
  const CString path = NormalPath(givenPath);
  std::vector<LibraryEntry> entries;
  if (!ReadLibrary(path, entries)) return false;
  m_lastLibrary = path;
  RememberLibrary(path);
  const auto isOpen = [this, &path](const CString& name) { return FindFrame(path, name) != nullptr; };
  CComponentPickerDialog picker(path, std::move(entries), isOpen);
  if (picker.DoModal() != IDOK) return false;
  return OpenComponent(path, picker.GetChosenName());
}

bool CEditorApp::OpenComponent(const CString& givenPath, const CString& name) {
  if (!IsRunning()) return false;
  const CString path = NormalPath(givenPath);
  if (CAppComponentFrame* open = FindFrame(path, name)) {
    open->MDIActivate();
    return true;
  }
  std::unique_ptr<OpenDocument> document = MakeDocument(true);
  document->libraryAtOpen = LibraryFileState::Of(path);
  CString error;
  std::string storedForm;
  if (!CComponentLibraryFile::LoadComponent(path, name, *document->design, storedForm, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return false;
  }
  document->name = document->design->FirstComponent()->GetName();
  document->storedForm = std::move(storedForm);
  document->design->SetPathName(path);
  CDesign& design = *document->design;
  if (!ShowDocument(std::move(document))) return false;
  // Loading and laying out the drawings is no change of the user's.
  design.SetModifiedFlag(FALSE);
  m_lastLibrary = path;
  RememberLibrary(path);
  return true;
}

bool CEditorApp::ShowDocument(std::unique_ptr<OpenDocument> document) {
  CDesign& design = *document->design;
  const CString name = document->name;
  m_documents.push_back(std::move(document));
  // The views find the symbol libraries that the records name without a folder beside
  // the component library last used, which they take when they are made.
  CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CComponentLibrary), design.GetPathName());
  CCreateContext context;
  context.m_pCurrentDoc = &design;
  if (CreateMDIChild(RUNTIME_CLASS(CAppComponentFrame), m_mainFrame.get(), context) == nullptr) {
    ForgetDocument(design);
    AfxMessageBox("The editor window for \"" + name + "\" could not be made.", MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

void CEditorApp::OnOpenLibrary() {
  const CString folder = m_lastLibrary.IsEmpty() ? GetProgramPath() : FolderOf(m_lastLibrary);
  const CString path = m_prompt.AskLibraryToOpen(folder);
  if (!path.IsEmpty()) OpenLibrary(path);
}

void CEditorApp::OnOpenComponent() {
  if (!m_lastLibrary.IsEmpty()) OpenLibrary(m_lastLibrary);
}

void CEditorApp::OnUpdateOpenComponent(CCmdUI* state) {
  state->Enable(!m_lastLibrary.IsEmpty());
}

void CEditorApp::OnRecentLibrary(UINT command) {
  const std::vector<CString> recent = RecentLibraries();
  const size_t index = command - ID_APP_RECENT_FIRST;
  if (index < recent.size()) OpenLibrary(recent[index]);
}

// ---- New ----

CString CEditorApp::CurrentLibrary() const {
  if (CMainFrame* main = MainFrame()) {
    if (CAppComponentFrame* active = main->ActiveComponentFrame()) {
      if (CDesign* design = active->GetDesign()) return design->GetPathName();
    }
  }
  return m_lastLibrary;
}

bool CEditorApp::RefuseTakenName(const CString& path, const CString& name) {
  CString error;
  const bool held = CComponentLibraryEdit::HasComponent(path, name, error);
  if (!error.IsEmpty()) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return true;
  }
  if (!held && FindFrame(path, name) == nullptr) return false;
  AfxMessageBox(TakenNameText(path, name) + " Choose another name; nothing was added.",
                MB_OK | MB_ICONWARNING);
  return true;
}

bool CEditorApp::AcceptNewName(const CString& path, const CString& name) const {
  CString error;
  const bool held = CComponentLibraryEdit::HasComponent(path, name, error);
  if (!error.IsEmpty()) {
    CAppError::SetLastErrorText(error);
    return false;
  }
  if (!held && FindFrame(path, name) == nullptr) return true;
  CAppError::SetLastErrorText(TakenNameText(path, name) + " Choose another name.");
  return false;
}

CString CEditorApp::TakenNameText(const CString& path, const CString& name) {
  CString text;
  text.Format("The library \"%s\" already holds a component named \"%s\".", FileNameOf(path).c_str(),
              name.c_str());
  return text;
}

// The dialog refuses a taken name while the user can still change it.
bool CEditorApp::NewComponent(const CString& givenPath) {
  const CString path = NormalPath(givenPath);
  const auto nameCheck = [this, path](const CString& name) { return AcceptNewName(path, name); };
  return MakeNewComponent(
      givenPath, [&nameCheck](CDesign& design) { return GetNewComponentSettings(&design, nameCheck); });
}

bool CEditorApp::ImportSymbol(const CString& givenPath) {
  CString unassigned;
  const CString library = NormalPath(givenPath);
  const auto import = [this, &unassigned, &library](CDesign& design) {
    CImportSymbolDialog dialog(&design, library, &m_prompt);
    if (dialog.DoModal() != IDOK) return false;
    if (!dialog.GetUnassigned().empty()) unassigned = dialog.DescribeUnassigned();
    return true;
  };
  if (!MakeNewComponent(givenPath, import)) return false;
  if (!unassigned.IsEmpty()) AfxMessageBox(unassigned, MB_OK | MB_ICONWARNING);
  return true;
}

bool CEditorApp::MakeNewComponent(const CString& givenPath, const std::function<bool(CDesign&)>& make) {
  if (!IsRunning()) return false;
  const CString path = NormalPath(givenPath);
  std::vector<LibraryEntry> entries;
  CString error;
  if (!CComponentLibraryFile::ReadContents(path, entries, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return false;
  }
  std::unique_ptr<OpenDocument> document = MakeDocument(false);
  document->libraryAtOpen = LibraryFileState::Of(path);
  // The dialog's library lists start beside the component library, as the views look.
  CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CComponentLibrary), path);
  if (!make(*document->design)) return false;
  CDesign& design = *document->design;
  document->name = design.FirstComponent()->GetName();
  if (RefuseTakenName(path, document->name)) return false;
  design.SetPathName(path);
  const CString name = document->name;
  if (!ShowDocument(std::move(document))) return false;
  // Not in the file yet: closing asks to save it.
  design.SetModifiedFlag(TRUE);
  m_lastLibrary = path;
  RememberLibrary(path);
  if (CMainFrame* main = MainFrame())
    main->SetMessageText(name + " is new: save it to add it to " + FileNameOf(path) + ".");
  return true;
}

void CEditorApp::OnNewComponent() {
  CString path = CurrentLibrary();
  if (path.IsEmpty()) path = m_prompt.AskLibraryToOpen(GetProgramPath());
  if (!path.IsEmpty()) NewComponent(path);
}

void CEditorApp::OnImportSymbol() {
  CString path = CurrentLibrary();
  if (path.IsEmpty()) path = m_prompt.AskLibraryToOpen(GetProgramPath());
  if (!path.IsEmpty()) ImportSymbol(path);
}

void CEditorApp::OnNewLibrary() {
  const CString folder = m_lastLibrary.IsEmpty() ? GetProgramPath() : FolderOf(m_lastLibrary);
  CString path = m_prompt.AskLibraryToSave((std::filesystem::path(folder.str()) / "new.cmplib").string());
  if (path.IsEmpty()) return;
  path = NormalPath(path);
  CString error;
  if (!CComponentLibraryEdit::CreateLibrary(path, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return;
  }
  m_lastLibrary = path;
  RememberLibrary(path);
  NewComponent(path);
}

// ---- Saving and closing ----

bool CEditorApp::WriteComponent(CDesign& design, const CString& path, CString& name, bool addNew) {
  OpenDocument* document = FindDocument(design);
  ComponentSave save{path, name, addNew, document->name, std::nullopt};
  // A component saved into another library replaces whatever that one holds.
  if (path == design.GetPathName()) save.storedForm = document->storedForm;
  if (!SaveComponentAsked(design, save)) return false;
  name = save.name;
  document->storedForm = std::move(save.storedForm);
  return true;
}

bool CEditorApp::SaveDocument(CDesign& design, bool askPath) {
  CAppComponentFrame* frame = FindFrame(design);
  if (FindDocument(design) == nullptr || frame == nullptr || !frame->ReadyToSave()) return false;
  CString path = design.GetPathName();
  if (askPath) {
    path = m_prompt.AskLibraryToSave(path);
    if (path.IsEmpty()) return false;
    path = NormalPath(path);
  }
  // The questions above let messages through, which may have closed the component.
  OpenDocument* document = FindDocument(design);
  if (document == nullptr) return false;
  const CComponent* first = design.FirstComponent();
  CString name = first != nullptr ? first->GetName() : document->name;
  if (!WriteComponent(design, path, name, !document->inLibrary)) return false;
  document->name = name;
  document->inLibrary = true;
  design.SetModifiedFlag(FALSE);
  DropRecoveryCopy(*document);
  document->libraryAtOpen = LibraryFileState::Of(path);
  if (path != design.GetPathName()) design.SetPathName(path);
  // A save as a copy renames the component: the caption and the tab follow either way.
  if (CAppComponentFrame* shown = FindFrame(design)) shown->SetCaption();
  if (CMainFrame* main = MainFrame(); main != nullptr && main->GetMDITabBar() != nullptr)
    main->GetMDITabBar()->ShowChildren(*main);
  m_lastLibrary = path;
  RememberLibrary(path);
  if (CMainFrame* main = MainFrame())
    main->SetMessageUntilChanged("Saved " + name + " in " + FileNameOf(path) + ".", design);
  return true;
}

bool CEditorApp::CloseDocument(CDesign& design) {
  CAppComponentFrame* frame = FindFrame(design);
  // An open assignment run's pins become a change of the design only when the run's
  // undo level closes: the run ends before the design is asked whether it changed.
  if (frame != nullptr) frame->EndAssignmentRun();
  // A cell that cannot be written back counts as an unsaved change.
  const bool pendingWritten = frame == nullptr || frame->WriteBackEdits();
  if (design.IsModified() || !pendingWritten) {
    CString text;
    text.Format("Save the changes to %s in %s?", ComponentName(design).c_str(),
                FileNameOf(design.GetPathName()).c_str());
    const int answer = AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION);
    // Messages delivered while the question was up may have closed the component.
    if (FindDocument(design) == nullptr) return true;
    if (answer == IDCANCEL) return false;
    if (answer == IDYES && !SaveDocument(design, false)) return false;
  }
  design.OnCloseDocument();
  if (OpenDocument* document = FindDocument(design)) DropRecoveryCopy(*document);
  ForgetDocument(design);
  return true;
}

bool CEditorApp::CloseAll() {
  while (!m_documents.empty()) {
    if (!CloseDocument(*m_documents.back()->design)) return false;
  }
  return true;
}

bool CEditorApp::Quit() {
  if (!CloseAll()) return false;
  WaitForRecoveryCopies();
  if (!IsRunning()) return true;
  SaveWindowSize();
  m_mainFrame->DestroyWindow();
  m_pMainWnd = nullptr;
  return true;
}

void CEditorApp::OnQuit() {
  Quit();
}

// ---- Look-ups ----

CEditorApp::OpenDocument* CEditorApp::FindDocument(const CDesign& design) const {
  for (const auto& document : m_documents) {
    if (document->design.get() == &design) return document.get();
  }
  return nullptr;
}

CString CEditorApp::ComponentName(const CDesign& design) const {
  const OpenDocument* document = FindDocument(design);
  return document != nullptr ? document->name : CString();
}

CAppComponentFrame* CEditorApp::FindFrame(const CDesign& design) const {
  for (CFrameWnd* frame : design.GetFrames()) {
    if (auto* component = DynamicDowncast<CAppComponentFrame>(frame)) return component;
  }
  return nullptr;
}

CAppComponentFrame* CEditorApp::FindFrame(const CString& path, const CString& name) const {
  const CString normal = NormalPath(path);
  for (const auto& document : m_documents) {
    if (document->design->GetPathName() == normal && document->name.EqualsNoCase(name))
      return FindFrame(*document->design);
  }
  return nullptr;
}

void CEditorApp::ForgetDocument(const CDesign& design) {
  std::erase_if(m_documents, [&design](const auto& document) { return document->design.get() == &design; });
}

// ---- Settings ----

std::vector<CString> CEditorApp::RecentLibraries() const {
  std::vector<CString> libraries;
  const CAppRegistry registry(kRecentKey);
  for (int index = 1; index <= kRecentLibraryCount; ++index) {
    CString path;
    const CString name = "Library" + CString(std::to_string(index));
    if (registry.GetValue(name, path) && !path.IsEmpty()) libraries.push_back(path);
  }
  return libraries;
}

void CEditorApp::RememberLibrary(const CString& path) {
  std::vector<CString> libraries = RecentLibraries();
  std::erase(libraries, path);
  libraries.insert(libraries.begin(), path);
  if (libraries.size() > static_cast<size_t>(kRecentLibraryCount)) libraries.resize(kRecentLibraryCount);
  CAppRegistry registry(kRecentKey);
  for (size_t index = 0; index < libraries.size(); ++index) {
    registry.SetValue("Library" + CString(std::to_string(index + 1)), libraries[index]);
  }
  if (CMainFrame* main = MainFrame()) main->ShowRecentLibraries(libraries);
}

void CEditorApp::RestoreWindowSize() {
  const CAppRegistry registry(kWindowKey);
  unsigned long width = kDefaultWidth;
  unsigned long height = kDefaultHeight;
  registry.GetValue("Width", width);
  registry.GetValue("Height", height);
  m_mainFrame->MoveWindow(0, 0, static_cast<int>(Clamp(width)), static_cast<int>(Clamp(height)));
}

void CEditorApp::SaveWindowSize() {
  CRect rect;
  m_mainFrame->GetWindowRect(&rect);
  CAppRegistry registry(kWindowKey);
  registry.SetValue("Width", static_cast<unsigned long>(rect.Width()));
  registry.SetValue("Height", static_cast<unsigned long>(rect.Height()));
}

void CEditorApp::OnShowGrid() {
  SetComponentEditGrid(!GetComponentEditGrid());
  if (CMainFrame* main = MainFrame())
    main->SetMessageText("The grid setting applies to components opened from now on.");
}

void CEditorApp::OnUpdateShowGrid(CCmdUI* state) {
  state->SetCheck(GetComponentEditGrid() ? 1 : 0);
}
