#include "editor/frame/symbols_frame.h"

#include "editor/frame/component_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_instance.h"
#include "platform/message_box.h"

IMPLEMENT_DYNCREATE(CSymbolsFrame, CFrameWnd)

namespace {

bool IsPcbDesign(const CDesign* design) {
  return design != nullptr && design->IsKindOf(RUNTIME_CLASS(CPcbDesign));
}

template <class... Args>
bool AskYesNo(UINT stringId, const Args&... args) {
  CString question;
  question.Format(stringId, args...);
  return AfxMessageBox(question.c_str(), MB_YESNO) == IDYES;
}

std::vector<int> PinsOfPads(CSymbolInstance& instance) {
  std::vector<int> pins;
  POSITION position = nullptr;
  for (CPadInstance* pad = instance.FirstPad(position); pad != nullptr; pad = instance.NextPad(position)) {
    pins.push_back(pad->GetPinNumber());
  }
  return pins;
}

}  // namespace

bool CSymbolsFrame::IsPcbSideItem(const CDesignItem* item) {
  return IsPcbDesign(item->GetOwnerDesign());
}

BOOL CSymbolsFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD, AFX_IDW_PANE_FIRST)) return FALSE;
  CRect client;
  GetClientRect(&client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CScmSymbolView), CSize(width / 3, height), context))
    return FALSE;
  return m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPcbSymbolView), CSize(2 * width / 3, height), context);
}

CScmSymbolView* CSymbolsFrame::GetScmView() const {
  return DynamicDowncast<CScmSymbolView>(m_wndSplitter.GetPane(0, 0));
}

CPcbSymbolView* CSymbolsFrame::GetPcbView() const {
  return DynamicDowncast<CPcbSymbolView>(m_wndSplitter.GetPane(0, 1));
}

std::vector<CSymbolView*> CSymbolsFrame::Views() const {
  std::vector<CSymbolView*> views;
  if (CSymbolView* scm = GetScmView()) views.push_back(scm);
  if (CSymbolView* pcb = GetPcbView()) views.push_back(pcb);
  return views;
}

std::vector<CSymbolView*> CSymbolsFrame::ViewsUnderCursor() const {
  std::vector<CSymbolView*> views;
  for (CSymbolView* view : Views()) {
    if (view->CursorOverWindow(false)) views.push_back(view);
  }
  return views;
}

CComponentFrame* CSymbolsFrame::GetFrame() const {
  return GetComponentFrame(this);
}

CComponent* CSymbolsFrame::GetCurrentComponent() const {
  CComponentFrame* frame = GetFrame();
  return frame != nullptr ? frame->GetComponent(false) : nullptr;
}

void CSymbolsFrame::UpdateViews(int hint, CObject* object) {
  CScmSymbolView* scm = GetScmView();
  CDocument* document = scm != nullptr ? scm->GetDocument() : nullptr;
  if (document != nullptr) document->UpdateAllViews(nullptr, hint, object);
}

void CSymbolsFrame::StartSelectMode() {
  for (CSymbolView* view : Views()) view->StartSelectMode();
}

void CSymbolsFrame::StartAssignPins() {
  for (CSymbolView* view : Views()) view->StartAssignPins();
}

CDesignItem* CSymbolsFrame::GetSelectedItem() const {
  for (CSymbolView* view : Views()) {
    if (CDesignItem* item = view->GetSelectedItem()) return item;
  }
  return nullptr;
}

void CSymbolsFrame::ShowSplitter() {
  m_wndSplitter.ShowWindow(SW_SHOW);
}

void CSymbolsFrame::OnZoomAtCursor() {
  for (CSymbolView* view : ViewsUnderCursor()) view->OnZoomInAtCursor();
}

void CSymbolsFrame::OnUnzoomAtCursor() {
  for (CSymbolView* view : ViewsUnderCursor()) view->OnZoomOutAtCursor();
}

void CSymbolsFrame::OnViewExtents() {
  for (CSymbolView* view : ViewsUnderCursor()) view->OnZoomAll();
}

void CSymbolsFrame::OnRefreshView() {
  for (CSymbolView* view : ViewsUnderCursor()) view->OnRefresh();
}

void CSymbolsFrame::OnViewPan() {
  for (CSymbolView* view : ViewsUnderCursor()) view->OnPanTo(CDesignWindow(view).GetCurrentPosition(), true);
}

SelectedLibrarySymbol CSymbolsFrame::EditScmSymbolInLib() {
  CScmSymbolView* view = GetScmView();
  return view != nullptr ? view->EditSelectedSymbolInLibrary() : SelectedLibrarySymbol{};
}

SelectedLibrarySymbol CSymbolsFrame::EditPcbSymInLibrary() {
  CPcbSymbolView* view = GetPcbView();
  return view != nullptr ? view->EditSelectedSymbolInLibrary() : SelectedLibrarySymbol{};
}

bool CSymbolsFrame::CanEditScmSymbolInLib() const {
  const CScmSymbolView* view = GetScmView();
  return view != nullptr && view->HasSelection();
}

bool CSymbolsFrame::CanEditPcbSymInLibrary() const {
  const CPcbSymbolView* view = GetPcbView();
  return view != nullptr && view->HasSelection();
}

// The questions let posted messages through, and a redraw among them frees the drawn
// items: each branch takes the pin, gate or terminal it needs before it asks.
void CSymbolsFrame::DeleteSelection() {
  CDesignItem* item = GetSelectedItem();
  if (item == nullptr) return;
  const bool pcbSide = IsPcbSideItem(item);
  if (auto* pad = DynamicDowncast<CPadInstance>(item)) {
    DeletePadAssignment(pad, pcbSide);
  } else if (auto* instance = DynamicDowncast<CSymbolInstance>(item)) {
    DeleteSymbolInstance(instance, pcbSide);
  }
}

void CSymbolsFrame::DeletePadAssignment(CPadInstance* pad, bool pcbSide) {
  if (pcbSide) {
    const int pin = pad->GetPinNumber();
    // A land the footprint names is asked about by its name.
    const CString& label = pad->GetPad()->GetName();
    const bool asked = CPinLabels::IsPadName(label)
                           ? AskYesNo(IDS_ASK_REMOVE_NAMED_PIN_ASSIGNMENTS, label.c_str())
                           : AskYesNo(IDS_ASK_REMOVE_PIN_ASSIGNMENTS, pin);
    if (asked) RemovePinAssignments(pin);
    return;
  }
  const int gate = pad->GetGate();
  const int terminal = pad->GetTerminalNumber();
  if (!AskYesNo(IDS_ASK_REMOVE_TERMINAL_ASSIGNMENT, CSymbolInstance::GetGateString(gate), terminal)) return;
  CComponent* component = GetCurrentComponent();
  if (component == nullptr) return;
  component->SetPinNumber(gate, terminal, CGate::kNoPin);
  UpdateViews(HintComponent, component);
}

void CSymbolsFrame::DeleteSymbolInstance(CSymbolInstance* instance, bool pcbSide) {
  if (!pcbSide) {
    DeleteGate(instance);
    return;
  }
  // The pins are read before the question: the drawing may be rebuilt while it is up,
  // and the views answer each removal and may redraw the pads.
  const std::vector<int> pins = PinsOfPads(*instance);
  if (AfxMessageBox(IDS_ASK_REMOVE_ALL_ASSIGNMENTS, MB_YESNO) != IDYES) return;
  for (int pin : pins) RemovePinAssignments(pin);
}

void CSymbolsFrame::DeleteGate(CSymbolInstance* instance) {
  if (instance == nullptr) return;
  const int gate = instance->GetGate();
  if (!AskYesNo(IDS_ASK_DELETE_GATE, CSymbolInstance::GetGateString(gate))) return;
  CComponent* component = GetCurrentComponent();
  if (component == nullptr) return;
  component->DeleteGateFromEveryPackage(gate);
  UpdateViews(HintComponent, component);
}

void CSymbolsFrame::RemovePinAssignments(int pin) {
  CComponent* component = GetCurrentComponent();
  if (component != nullptr) {
    POSITION position = nullptr;
    int index = 0;
    for (CGate* gate = component->FirstGate(position, index); gate != nullptr;
         gate = component->NextGate(position, index)) {
      for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
        if (component->GetPinNumber(index, terminal) != pin) continue;
        component->SetPinNumber(index, terminal, CGate::kNoPin);
        CPinNumberHint hint(gate->GetSymbol(), index, terminal, CGate::kNoPin);
        UpdateViews(HintPinNumber, &hint);
      }
    }
  }
  UpdateViews(HintClearHighlight, nullptr);
}
