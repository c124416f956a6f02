#include "app/app_component_frame.h"

#include <filesystem>

#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "app/main_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/designops/set_op.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"
#include "platform/mdi_tab_bar.h"
#include "platform/message_box.h"

IMPLEMENT_DYNCREATE(CAppComponentFrame, CComponentFrame)

const MessageMap CAppComponentFrame::kMessageMap{
    &CComponentFrame::kMessageMap,
    {
        MessageEntry(WM_CLOSE, &CAppComponentFrame::OnCloseMessage),
        CommandEntry(ID_APP_SAVE, &CAppComponentFrame::OnSave),
        CommandEntry(ID_APP_SAVE_AS, &CAppComponentFrame::OnSaveAs),
        CommandEntry(ID_APP_CLOSE, &CAppComponentFrame::OnCloseCommand),
        CommandEntry(ID_APP_UNDO, &CAppComponentFrame::OnUndo),
        UpdateCommandUIEntry(ID_APP_UNDO, &CAppComponentFrame::OnUpdateUndo),
        CommandEntry(ID_APP_REDO, &CAppComponentFrame::OnRedo),
        UpdateCommandUIEntry(ID_APP_REDO, &CAppComponentFrame::OnUpdateRedo),
        CommandEntry(ID_APP_DELETE, &CAppComponentFrame::OnDelete),
        UpdateCommandUIEntry(ID_APP_DELETE, &CAppComponentFrame::OnUpdateDeleteSelection),
        CommandEntry(ID_APP_PROPERTIES, &CAppComponentFrame::OnPropertiesCommand),
        CommandEntry(ID_APP_VALUES, &CAppComponentFrame::OnValuesCommand),
        CommandEntry(ID_APP_EDIT_SCM_SYMBOL, &CAppComponentFrame::OnEditScmSymbolInLib),
        UpdateCommandUIEntry(ID_APP_EDIT_SCM_SYMBOL, &CAppComponentFrame::OnUpdateEditScmSymbolInLib),
        CommandEntry(ID_APP_EDIT_PCB_SYMBOL, &CAppComponentFrame::OnEditPcbSymInLibrary),
        UpdateCommandUIEntry(ID_APP_EDIT_PCB_SYMBOL, &CAppComponentFrame::OnUpdateEditPcbSymInLibrary),
        CommandEntry(ID_APP_SELECT_MODE, &CAppComponentFrame::OnSelectModeCommand),
        UpdateCommandUIEntry(ID_APP_SELECT_MODE, &CAppComponentFrame::OnUpdateSelectMode),
        CommandEntry(ID_APP_ASSIGN_PINS, &CAppComponentFrame::OnAssignPinsCommand),
        UpdateCommandUIEntry(ID_APP_ASSIGN_PINS, &CAppComponentFrame::OnUpdateAssignPins),
        CommandEntry(ID_APP_ASSIGN_PINS_121, &CAppComponentFrame::OnAssignPins121Command),
        UpdateCommandUIEntry(ID_APP_ASSIGN_PINS_121, &CAppComponentFrame::OnUpdateAssignPins121),
        CommandEntry(ID_APP_ADD_GATE, &CAppComponentFrame::OnAddGate),
        CommandEntry(ID_APP_ADD_PACKAGE, &CAppComponentFrame::OnAddPackage),
        CommandEntry(ID_APP_SELECT_PACKAGE, &CAppComponentFrame::OnSelectPackage),
        CommandEntry(ID_APP_PACKAGE_LIST, &CAppComponentFrame::OnPackageChosen),
        CommandEntry(ID_APP_DELETE_PACKAGE, &CAppComponentFrame::OnDeletePackage),
        CommandEntry(ID_APP_CHECK_VALIDITY, &CAppComponentFrame::OnCheckValidity),
        CommandEntry(ID_APP_ZOOM_IN, &CAppComponentFrame::OnZoomIn),
        CommandEntry(ID_APP_ZOOM_OUT, &CAppComponentFrame::OnZoomOut),
        CommandEntry(ID_APP_ZOOM_EXTENTS, &CAppComponentFrame::OnZoomExtents),
        CommandEntry(ID_APP_REFRESH, &CAppComponentFrame::OnRefresh),
        CommandEntry(ID_APP_PAN, &CAppComponentFrame::OnPan),
        CommandEntry(ID_APP_DISPLAY_COLOURS, &CAppComponentFrame::OnDisplay),
        CommandEntry(ID_APP_IMPORT_PIN_MAP, &CAppComponentFrame::OnImportPinMap),
        CommandEntry(ID_APP_EXPORT_PIN_MAP, &CAppComponentFrame::OnExportPinMap),
        CommandEntry(ID_APP_COPY_CELLS, &CAppComponentFrame::OnCopyCells),
        CommandEntry(ID_APP_PASTE_CELLS, &CAppComponentFrame::OnPasteCells),
        CommandEntry(ID_APP_ASSIGN_BY_NAME, &CAppComponentFrame::OnAssignByName),
        CommandEntry(ID_APP_SHOW_PROBLEMS, &CAppComponentFrame::OnShowProblems),
        CommandEntry(ID_APP_PROBLEMS_PANE, &CAppComponentFrame::OnShowProblems),
        CommandEntry(ID_APP_FILL_SERIES, &CAppComponentFrame::OnFillSeries),
    }};

CAcceleratorTable CAppComponentFrame::EditingShortcuts() {
  return {
      {'Z', FCONTROL, ID_APP_UNDO},
      {'Y', FCONTROL, ID_APP_REDO},
      {VK_DELETE, 0, ID_APP_DELETE},
      {VK_OEM_PLUS, FCONTROL, ID_APP_ZOOM_IN},
      {VK_OEM_PLUS, FCONTROL | FSHIFT, ID_APP_ZOOM_IN},
      {VK_ADD, 0, ID_APP_ZOOM_IN},
      {VK_OEM_MINUS, FCONTROL, ID_APP_ZOOM_OUT},
      {VK_SUBTRACT, 0, ID_APP_ZOOM_OUT},
      {VK_HOME, 0, ID_APP_ZOOM_EXTENTS},
      {VK_F5, 0, ID_APP_REFRESH},
      {'P', FCONTROL, ID_APP_PAN},
      {VK_ESCAPE, 0, ID_APP_SELECT_MODE},
      {'A', FCONTROL, ID_APP_ASSIGN_PINS},
      {VK_INSERT, 0, ID_APP_ADD_GATE},
      {'N', FCONTROL | FSHIFT, ID_APP_ADD_PACKAGE},
      {VK_DELETE, FCONTROL | FSHIFT, ID_APP_DELETE_PACKAGE},
      {'E', FCONTROL, ID_APP_EDIT_SCM_SYMBOL},
      {'E', FCONTROL | FSHIFT, ID_APP_EDIT_PCB_SYMBOL},
      {'C', FCONTROL, ID_APP_COPY_CELLS},
      {'V', FCONTROL, ID_APP_PASTE_CELLS},
      {'F', FCONTROL | FSHIFT, ID_APP_FILL_SERIES},
      {VK_F8, 0, ID_APP_SHOW_PROBLEMS},
  };
}

int CAppComponentFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CComponentFrame::OnCreate(cs) == -1) return -1;
  SetAccelerators(EditingShortcuts());
  return 0;
}

// An in-cell edit of the pin grid needs Delete, Escape and the other keys itself.
void CAppComponentFrame::DestroyAccelerators() {
  m_shortcutsDropped = true;
  SetAccelerators({});
}

void CAppComponentFrame::RestoreAccelerators() {
  m_shortcutsDropped = false;
  SetAccelerators(EditingShortcuts());
}

CString CAppComponentFrame::ComponentCaption() {
  const CComponent* component = GetComponent(false);
  CDesign* design = GetDesign();
  const CString file = design != nullptr
                           ? CString(std::filesystem::path(design->GetPathName().str()).filename().string())
                           : "";
  // Unsaved changes are marked as other desktop editors mark them.
  const CString mark = design != nullptr && design->IsModified() ? "*" : "";
  if (component == nullptr) return mark + file;
  return mark + component->GetName() + " - " + file;
}

// Choosing the current component may set the design's title, which comes back here.
void CAppComponentFrame::OnUpdateFrameTitle(BOOL addToTitle) {
  if (m_updatingTitle) return;
  m_updatingTitle = true;
  const CString caption = ComponentCaption();
  m_updatingTitle = false;
  CMDIFrameWnd* main = GetMDIFrame();
  if (caption != GetWindowText()) {
    SetWindowText(caption);
    // The tab shows the caption too.
    CMDITabBar* tabs = main != nullptr ? main->GetMDITabBar() : nullptr;
    if (tabs != nullptr) tabs->ShowChildren(*main);
  }
  if (main != nullptr && main->MDIGetActive() == this) main->OnUpdateFrameTitle(addToTitle);
}

void CAppComponentFrame::OnAssignmentRunEnded() {
  // Starting the select mode stops the assign-pins modes, whose directors announce it
  // with 32814 again: the cleared flag ends that echo here.
  if (!m_assigning) return;
  m_assigning = false;
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->StartSelectMode();
}

void CAppComponentFrame::EndAssignmentRun() {
  OnSelectModeCommand();
}

void CAppComponentFrame::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) {
  if (!activate && (m_assigning || HasOpenAssignmentRun())) EndAssignmentRun();
  CComponentFrame::OnMDIActivate(activate, activateWnd, deactivateWnd);
}

bool CAppComponentFrame::WriteBackEdits() {
  if (CComponentGrid* grid = GetGrid()) grid->StopEdit();
  return UpdateDesign();
}

bool CAppComponentFrame::ReadyToSave() {
  if (!WriteBackEdits()) {
    CAppError::ReportLastError();
    return false;
  }
  return IsDesignValid(false);
}

// ---- File ----

void CAppComponentFrame::OnSave() {
  if (CEditorApp* app = EditorApp(); app != nullptr && GetDesign() != nullptr)
    app->SaveDocument(*GetDesign(), false);
}

void CAppComponentFrame::OnSaveAs() {
  if (CEditorApp* app = EditorApp(); app != nullptr && GetDesign() != nullptr)
    app->SaveDocument(*GetDesign(), true);
}

// The application may close this frame: nothing of it is used afterwards.
void CAppComponentFrame::OnCloseCommand() {
  CEditorApp* app = EditorApp();
  CDesign* design = GetDesign();
  if (app != nullptr && design != nullptr) {
    app->CloseDocument(*design);
    return;
  }
  DestroyWindow();
}

LRESULT CAppComponentFrame::OnCloseMessage(WPARAM, LPARAM) {
  OnCloseCommand();
  return 0;
}

// ---- Edit ----

// An open assignment run holds its undo level open; undoing ends the run first, so the
// run becomes the step that is undone.
void CAppComponentFrame::OnUndo() {
  StopAssignPins();
  if (CDesign* design = GetDesign(); design != nullptr && design->CanUndo()) design->Undo();
}

void CAppComponentFrame::OnRedo() {
  StopAssignPins();
  if (CDesign* design = GetDesign(); design != nullptr && design->CanRedo()) design->Redo();
}

void CAppComponentFrame::OnUpdateUndo(CCmdUI* state) {
  CDesign* design = GetDesign();
  const bool can = design != nullptr && design->CanUndo();
  const CString shortcut = m_shortcutsDropped ? CString() : EditingShortcuts().TextFor(ID_APP_UNDO);
  CString text = can ? "&Undo " + design->GetUndoName() : CString("&Undo");
  if (!shortcut.IsEmpty()) text += "\t" + shortcut;
  state->SetText(text);
  state->Enable(can || (m_assigning && design != nullptr && design->IsUndoLevelOpen()));
}

void CAppComponentFrame::OnUpdateRedo(CCmdUI* state) {
  CDesign* design = GetDesign();
  const bool can = design != nullptr && design->CanRedo();
  const CString shortcut = m_shortcutsDropped ? CString() : EditingShortcuts().TextFor(ID_APP_REDO);
  CString text = can ? "&Redo " + design->GetRedoName() : CString("&Redo");
  if (!shortcut.IsEmpty()) text += "\t" + shortcut;
  state->SetText(text);
  state->Enable(can);
}

void CAppComponentFrame::OnUpdateDeleteSelection(CCmdUI* state) {
  state->Enable(AnythingSelected());
}

// The sheet ends an assignment run first; the main window hears of it and brings back
// the select mode's tools.
void CAppComponentFrame::OnPropertiesCommand() {
  OnProperties();
}

// The first click of a double click on an item of a drawing has selected it, as any
// click of the select mode does; the second asks for its properties. While pins are
// being assigned, clicks belong to the assignment.
BOOL CAppComponentFrame::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_LBUTTONDBLCLK) return FALSE;
  auto* view = DynamicDowncast<CSymbolView>(CWnd::FromHandlePermanent(msg->hwnd));
  if (view == nullptr || view->GetFrame() != this) return FALSE;
  const CDirector* director = view->GetDirector();
  if (director == nullptr || director->GetRunningActor() != &view->GetSelectMode()) return FALSE;
  CDesignItem* item = view->GetSelectedItem();
  if (item == nullptr) return FALSE;
  OnProperties(item);
  return TRUE;
}

void CAppComponentFrame::OnValuesCommand() {
  StopAssignPins();
  CComponent* component = GetComponent(false);
  CDesign* design = GetDesign();
  if (component == nullptr || design == nullptr) return;
  // False also means the user cancelled; only a recorded error is worth a message.
  CAppError::ClearLastError();
  if (CSetOp::ChangeValues(design, component)) {
    design->UpdateAllViews(nullptr, HintComponent, GetComponent(false));
  } else if (CAppError::HasLastError()) {
    CAppError::ReportLastError();
  }
}

// ---- Component ----

void CAppComponentFrame::OnSelectModeCommand() {
  OnSelectMode();
  m_assigning = false;
}

void CAppComponentFrame::OnAssignPinsCommand() {
  OnAssignPins();
  m_assigning = true;
}

void CAppComponentFrame::OnUpdateSelectMode(CCmdUI* state) {
  state->SetCheck(m_assigning ? 0 : 1);
}

void CAppComponentFrame::OnUpdateAssignPins(CCmdUI* state) {
  state->SetCheck(m_assigning ? 1 : 0);
}

void CAppComponentFrame::OnAssignPins121Command() {
  if (CanDoAssignPins121()) AssignPins121();
}

void CAppComponentFrame::OnUpdateAssignPins121(CCmdUI* state) {
  state->Enable(CanDoAssignPins121());
}

// The tool bar's list shows the package chosen; choosing the one already shown is no
// change and no undo step. A package that cannot be chosen (its record went meanwhile,
// or the grid could not be written back, which SelectPackage reports) leaves the
// current one, which the list shows again at idle time.
void CAppComponentFrame::OnPackageChosen() {
  auto* main = DynamicDowncast<CMainFrame>(GetMDIFrame());
  const CComponent* current = GetComponent(false);
  if (main == nullptr || current == nullptr) return;
  const CString package = main->ToolBar().GetComboText(ID_APP_PACKAGE_LIST);
  if (package == current->GetPackage()) return;
  SelectPackage(package);
}

void CAppComponentFrame::OnCheckValidity() {
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return;
  }
  if (!IsDesignValid(true)) return;
  const CComponent* component = GetComponent(false);
  const CString name = component != nullptr ? component->GetName() : CString("The component");
  AfxMessageBox(name + " is valid: no problems were found.", MB_OK | MB_ICONINFORMATION);
}

// ---- View ----

void CAppComponentFrame::OnZoomIn() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnZoomAtCursor();
}

void CAppComponentFrame::OnZoomOut() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnUnzoomAtCursor();
}

void CAppComponentFrame::OnZoomExtents() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnViewExtents();
}

void CAppComponentFrame::OnRefresh() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnRefreshView();
}

void CAppComponentFrame::OnPan() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->OnViewPan();
}

// ---- Edit in library ----

// The editor has no symbol editor of its own: it names the symbol and the library file
// it resolved, and offers to open the file's folder in the desktop's file manager.
void CAppComponentFrame::EditSymbolInLibrary(const SelectedLibrarySymbol& symbol, bool pcbSymbol) {
  if (symbol.symbolName.IsEmpty()) return;
  const CString kind = pcbSymbol ? "PCB symbol" : "Schematic symbol";
  if (symbol.libraryFile.IsEmpty()) {
    AfxMessageBox(kind + " \"" + symbol.symbolName + "\" was not found in any symbol library.",
                  MB_OK | MB_ICONWARNING);
    return;
  }
  const CString folder = std::filesystem::path(symbol.libraryFile.str()).parent_path().string();
  const CString text = kind + " \"" + symbol.symbolName + "\" is in the library file\n" + symbol.libraryFile +
                       "\n\nThis editor does not edit symbols. Open the folder that holds the library?";
  if (AfxMessageBox(text, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
  CEditorApp* app = EditorApp();
  if (app != nullptr && app->Prompt().ShowFolder(folder)) return;
  AfxMessageBox("The folder " + folder + " could not be opened.", MB_OK | MB_ICONWARNING);
}
