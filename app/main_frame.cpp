#include "app/main_frame.h"

#include "app/app_component_frame.h"
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/editor_menus.h"
#include "editor/frame/component_frame.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/design.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

const MessageMap CMainFrame::kMessageMap{
    &CMDIFrameWnd::kMessageMap,
    {
        MessageEntry(WM_CLOSE, &CMainFrame::OnCloseMessage),
        UpdateCommandUIEntry(ID_APP_COMPONENT_PANE, &CMainFrame::OnUpdateComponentPane),
        UpdateCommandUIEntry(ID_APP_PROBLEMS_PANE, &CMainFrame::OnUpdateProblemsPane),
        UpdateCommandUIEntry(ID_APP_PACKAGE_LIST, &CMainFrame::OnUpdatePackageList),
    }};

namespace {
constexpr int kComponentPaneWidth = 320;
constexpr int kProblemsPaneWidth = 160;
}  // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  if (!m_toolBar.Create(this) || !AddToolBarButtons(m_toolBar)) return -1;
  if (!m_statusBar.Create(this) || !EnableMDITabs()) return -1;
  const UINT panes[] = {ID_SEPARATOR, ID_APP_COMPONENT_PANE, ID_APP_PROBLEMS_PANE};
  m_statusBar.SetIndicators(panes, 3);
  m_statusBar.SetPaneInfo(1, ID_APP_COMPONENT_PANE, kComponentPaneWidth);
  m_statusBar.SetPaneInfo(2, ID_APP_PROBLEMS_PANE, kProblemsPaneWidth);
  SetTitle(kTitle);
  SetMenu(BuildMainMenu({}));
  SetAccelerators(MainWindowShortcuts());
  return 0;
}

std::vector<CAppComponentFrame*> CMainFrame::ComponentFrames() const {
  std::vector<CAppComponentFrame*> frames;
  for (CMDIChildWnd* child : GetMDIChildren()) {
    if (auto* frame = DynamicDowncast<CAppComponentFrame>(child)) frames.push_back(frame);
  }
  return frames;
}

CAppComponentFrame* CMainFrame::ActiveComponentFrame() const {
  return DynamicDowncast<CAppComponentFrame>(MDIGetActive());
}

void CMainFrame::ShowRecentLibraries(const std::vector<CString>& libraries) {
  SetMenu(BuildMainMenu(libraries));
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == ID_PIN_ASSIGNMENT_ENDED) {
    OnAssignmentRunEnded();
    return 0;
  }
  return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

// One run is open at a time in the whole module, whichever frame started it.
void CMainFrame::OnAssignmentRunEnded() {
  for (CAppComponentFrame* frame : ComponentFrames()) frame->OnAssignmentRunEnded();
  SetMessageText("");
}

void CMainFrame::OnUpdateFrameTitle(BOOL addToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  CAppComponentFrame* active = addToTitle ? ActiveComponentFrame() : nullptr;
  const CString caption = active != nullptr ? m_strTitle + " - " + active->ComponentCaption() : m_strTitle;
  if (caption != GetWindowText()) SetWindowText(caption);
}

void CMainFrame::SetMessageUntilChanged(const CString& text, const CDesign& design) {
  SetMessageText(text);
  m_untilChanged = text;
  m_untilChangedDesign = &design;
}

void CMainFrame::OnIdleUpdateCmdUI() {
  bool open = false;
  bool changed = false;
  for (CAppComponentFrame* frame : ComponentFrames()) {
    frame->OnUpdateFrameTitle(TRUE);
    CDesign* design = frame->GetDesign();
    if (design == nullptr || design != m_untilChangedDesign) continue;
    open = true;
    changed = design->IsModified() != FALSE;
  }
  if (changed && m_statusBar.GetPaneText(0) == m_untilChanged) SetMessageText("");
  if (changed || !open) m_untilChangedDesign = nullptr;
  CMDIFrameWnd::OnIdleUpdateCmdUI();
}

LRESULT CMainFrame::OnCloseMessage(WPARAM, LPARAM) {
  if (CEditorApp* app = EditorApp()) {
    app->Quit();
    return 0;
  }
  DestroyWindow();
  return 0;
}

void CMainFrame::OnUpdateComponentPane(CCmdUI* state) {
  CAppComponentFrame* active = ActiveComponentFrame();
  const CComponent* component = active != nullptr ? active->GetComponent(false) : nullptr;
  CString text;
  if (component != nullptr) text = component->GetName() + ", package " + component->GetPackage();
  state->SetText(text);
}

// The live checks' count of grid cells that will not pass; empty when there are none.
void CMainFrame::OnUpdateProblemsPane(CCmdUI* state) {
  CAppComponentFrame* active = ActiveComponentFrame();
  const CPinMapChecks* checks = active != nullptr ? active->GetPinMapChecks() : nullptr;
  const int count = checks != nullptr ? checks->CountProblems() : 0;
  CString text;
  if (count > 0) text.Format("%d %s", count, count == 1 ? "problem" : "problems");
  state->SetText(text);
}

// The list follows whatever changed the packages or the current one (the package
// commands, undo and redo, another tab) by being filled afresh at idle time.
void CMainFrame::OnUpdatePackageList(CCmdUI* state) {
  CAppComponentFrame* active = ActiveComponentFrame();
  CDesign* design = active != nullptr ? active->GetDesign() : nullptr;
  const CComponent* current = design != nullptr ? active->GetComponent(false) : nullptr;
  std::vector<CString> packages;
  if (current != nullptr) {
    POSITION position = nullptr;
    for (CComponent* component = design->FirstComponent(position); component != nullptr;
         component = design->NextComponent(position))
      packages.push_back(component->GetPackage());
  }
  m_toolBar.SetComboItems(ID_APP_PACKAGE_LIST, packages);
  m_toolBar.SetComboText(ID_APP_PACKAGE_LIST, current != nullptr ? current->GetPackage() : CString());
  state->Enable(current != nullptr ? TRUE : FALSE);
}
