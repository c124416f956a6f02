#include "editor/frame/component_frame.h"

#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/properties/component_properties.h"
#include "editor/resources/resource_ids.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "platform/app_registry.h"
#include "platform/message_box.h"

IMPLEMENT_DYNCREATE(CDummyGrid, CView)
IMPLEMENT_DYNCREATE(CComponentFrame, CMDIChildWnd)

namespace {
constexpr const char* kGridKey = "ComponentEditor\\Grid";
constexpr const char* kGridEnabledValue = "Enabled";
constexpr const char* kPackageNameAttribute = "[PackageName]";

bool IsRecordOf(const CDesign* design, const CComponent* component) {
  if (design == nullptr) return false;
  POSITION position = nullptr;
  for (const CComponent* record = design->FirstComponent(position); record != nullptr;
       record = design->NextComponent(position)) {
    if (record == component) return true;
  }
  return false;
}
}  // namespace

bool GetComponentEditGrid() {
  bool enabled = true;
  CAppRegistry(kGridKey).GetValue(kGridEnabledValue, enabled);
  return enabled;
}

void SetComponentEditGrid(bool enabled) {
  // A setting that cannot be kept only means the grid is tried again next time.
  CAppRegistry(kGridKey).SetValue(kGridEnabledValue, enabled);
}

CComponentFrame* GetComponentFrame(const CWnd* wnd) {
  for (CWnd* current = const_cast<CWnd*>(wnd); current != nullptr; current = current->GetOwner()) {
    if (auto* frame = DynamicDowncast<CComponentFrame>(current)) return frame;
  }
  return nullptr;
}

void CDummyGrid::OnDraw(CDC*) {}

UINT CComponentFrame::s_invalidateFrameMessage = 0;

const MessageMap CComponentFrame::kMessageMap{
    &CMDIChildWnd::kMessageMap,
    {
        RegisteredMessageEntry(s_invalidateFrameMessage, &CComponentFrame::OnInvalidateFrameMessage),
    }};

CComponentFrame::CComponentFrame() = default;

CComponentFrame::~CComponentFrame() = default;

BOOL CComponentFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD, AFX_IDW_PANE_FIRST)) return FALSE;
  CRect client;
  GetClientRect(&client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (!CreateGridPane(context, CSize(width, height / 3))) return FALSE;
  if (!m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CSymbolsFrame), CSize(width, 2 * height / 3), context))
    return FALSE;
  AttachPinMapChecks(context);
  return TRUE;
}

bool CComponentFrame::CreateGridPane(CCreateContext* context, const CSize& gridSize) {
  if (GetComponentEditGrid()) {
    if (m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CComponentGrid), gridSize, context)) {
      m_bGrid = true;
    } else {
      m_wndSplitter.DeleteView(0, 0);
      SetComponentEditGrid(false);
      AfxMessageBox(IDS_ERR_GRID_UNAVAILABLE, MB_OK);
    }
  }
  if (m_bGrid) return true;
  return m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CDummyGrid), CSize(0, 0), context);
}

CDesign* CComponentFrame::GetDesign() {
  return DynamicDowncast<CDesign>(GetActiveDocument());
}

CDesign* CComponentFrame::GetDocument() {
  return m_pComponent != nullptr ? m_pComponent->GetOwnerDesign() : nullptr;
}

CComponent* CComponentFrame::GetComponent(bool reload) {
  // Undoing an added package, or redoing a deleted one, takes the current record out
  // of the design; the first record is shown then.
  if (m_pComponent != nullptr && !reload && IsRecordOf(GetDesign(), m_pComponent)) return m_pComponent;
  CDesign* design = GetDesign();
  m_pComponent = design != nullptr ? design->FirstComponent() : nullptr;
  SetCaption();
  return m_pComponent;
}

CComponentGrid* CComponentFrame::GetGrid() const {
  if (!m_bGrid) return nullptr;
  return DynamicDowncast<CComponentGrid>(m_wndSplitter.GetPane(0, 0));
}

CSymbolsFrame* CComponentFrame::GetSymbolsFrame() const {
  return DynamicDowncast<CSymbolsFrame>(m_wndSplitter.GetPane(1, 0));
}

void CComponentFrame::SetCaption() {
  CDesign* design = GetDesign();
  if (design == nullptr) return;
  if (m_pComponent != nullptr) {
    const CString& package = m_pComponent->GetPackage();
    if (CAttribute* attribute = design->FindAttribute(kPackageNameAttribute)) {
      attribute->SetValue(package.c_str());
    } else {
      design->AddAttribute(kPackageNameAttribute, package.c_str());
    }
  }
  design->SetTitle(CFilePath(design->GetPathName()).GetFileNameAndExtension().c_str());
}

void CComponentFrame::OnViewInitialUpdate() {
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->ShowSplitter();
  m_wndSplitter.ShowWindow(SW_SHOW);
  if (m_checks != nullptr) m_checks->CheckAll();
}

void CComponentFrame::OnInvalidateView() {
  GetComponent(false);
  if (CDesign* design = GetDesign()) design->UpdateAllViews(nullptr, 0, m_pComponent);
}

LRESULT CComponentFrame::OnInvalidateFrameMessage(WPARAM, LPARAM) {
  OnInvalidateView();
  return 0;
}

bool CComponentFrame::AnythingSelected() {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  return symbols != nullptr && symbols->GetSelectedItem() != nullptr;
}

void CComponentFrame::DestroyAccelerators() {}

void CComponentFrame::RestoreAccelerators() {}

void CComponentFrame::OnProperties(CDesignItem* item) {
  StopAssignPins();
  if (!UpdateDesign()) {
    CAppError::ReportLastError();
    return;
  }
  CDesign* design = GetDesign();
  StartUndoLevel(IDS_UNDO_PROPERTIES);
  if (CComponent* component = GetComponent(false)) {
    CComponentProperties sheet(design, component, item);
    // The package page may have renamed the current package.
    if (sheet.DoModal() == IDOK) SetCaption();
  }
  EndUndoLevel(IDS_UNDO_PROPERTIES);
}

void CComponentFrame::OnProperties() {
  CSymbolsFrame* symbols = GetSymbolsFrame();
  OnProperties(symbols != nullptr ? symbols->GetSelectedItem() : nullptr);
}
