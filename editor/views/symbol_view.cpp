#include "editor/views/symbol_view.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <vector>

#include "editor/frame/component_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/view_colours.h"
#include "host/model/component_instance.h"
#include "host/model/component_value.h"
#include "host/model/copper_instance.h"
#include "host/model/design.h"
#include "host/model/pad_instance.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"
#include "host/model/text_instance.h"
#include "host/uitools/library_combo_boxes.h"
#include "host/utility/evt.h"
#include "host/utility/file_path.h"
#include "platform/win_thread.h"

IMPLEMENT_DYNCREATE(CSymbolView, CDesignDrawing)

namespace {
// The margin round the contents of a fitted drawing, in design units.
constexpr int kFitMargin = 1016000;

CPoint PointOf(LPARAM lParam) {
  return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}
}  // namespace

const MessageMap CSymbolView::kMessageMap{
    &CDesignDrawing::kMessageMap,
    {
        CommandEntry(ID_VIEW_PAN, &CDesignDrawing::OnPan),
        CommandEntry(ID_VIEW_ZOOM_IN_AT_CURSOR, &CDesignDrawing::OnZoomInAtCursor),
        CommandEntry(ID_VIEW_ZOOM_OUT_AT_CURSOR, &CDesignDrawing::OnZoomOutAtCursor),
        CommandRangeEntry(16000, 18999, &CSymbolView::OnDirectorCommand),
        CommandRangeEntry(19000, 19999, &CSymbolView::OnDirectorCommand),
        MessageEntry(WM_LBUTTONDOWN, &CSymbolView::OnLeftButtonDown),
        MessageEntry(WM_LBUTTONUP, &CSymbolView::OnLeftButtonUp),
        MessageEntry(WM_LBUTTONDBLCLK, &CSymbolView::OnLeftButtonDoubleClick),
        MessageEntry(WM_MBUTTONDOWN, &CSymbolView::OnMiddleButtonDown),
        MessageEntry(WM_MBUTTONUP, &CSymbolView::OnMiddleButtonUp),
        MessageEntry(WM_MOUSEMOVE, &CSymbolView::OnMouseMoved),
        MessageEntry(WM_CONTEXTMENU, &CSymbolView::OnContextMenuRequest),
        MessageEntry(WM_CHAR, &CSymbolView::OnCharacter),
        CommandEntry(ID_PIN_ASSIGNMENT_ENDED, &CSymbolView::OnPinAssignmentEnded),
    }};

CSymbolView::CSymbolView()
    : m_director(std::make_unique<CDirector>(this, &m_select, ID_PIN_ASSIGNMENT_ENDED)),
      m_viewEvents(std::make_unique<CHandleViewEvents>(this)) {}

CSymbolView::~CSymbolView() {
  m_director.reset();
  SetDrawnDesign(nullptr);
  m_design.reset();
  m_viewEvents.reset();
}

void CSymbolView::SetDesign(std::unique_ptr<CDesign> design) {
  m_design = std::move(design);
  SetDrawnDesign(m_design.get());
  if (m_design != nullptr) m_design->SetAutoAllocateStyles(true);
}

CComponentFrame* CSymbolView::GetFrame() const {
  return GetComponentFrame(this);
}

void CSymbolView::UpdateViews(CView* sender, long hint, CObject* hintObject) {
  if (CDocument* document = GetDocument()) document->UpdateAllViews(sender, hint, hintObject);
}

void CSymbolView::StartAssignPins() {
  m_assignPins.Start(m_director.get());
}

void CSymbolView::StartSelectMode() {
  m_select.Start(m_director.get());
}

void CSymbolView::ClearAssignPick() {
  m_assignPins.ClearAssignPick();
}

void CSymbolView::RestoreAssignPick() {
  m_assignPins.RestoreAssignPick();
}

CDesignItem* CSymbolView::GetSelectedItem() const {
  return m_design != nullptr ? m_design->GetSelectionOverview()->First() : nullptr;
}

SelectedLibrarySymbol CSymbolView::EditSelectedSymbolInLibrary() const {
  CDesignItem* item = GetSelectedItem();
  if (auto* pad = DynamicDowncast<CPadInstance>(item)) item = pad->GetSymbolInstance();
  auto* instance = DynamicDowncast<CSymbolInstance>(item);
  if (instance == nullptr) return {};
  CComponentInstance* owner = instance->GetComponentInstance();
  CComponent* component = owner->GetComponent();
  SelectedLibrarySymbol found;
  found.symbolName = instance->GetSymbol()->GetName();
  if (m_design->FirstLayer() != nullptr) {
    found.libraryFile = owner->GetLibraryForSymbol(component->GetPcbComponent()->GetLibrary(), "",
                                                   CPcbSymbolLibrary::GetExtension());
    return found;
  }
  const CGate* gate = component->FindGate(instance->GetGate());
  if (gate != nullptr) {
    found.libraryFile = owner->GetLibraryForSymbol(gate->GetLibrary(), "", CScmSymbolLibrary::GetExtension());
  }
  return found;
}

void CSymbolView::OnProperties(CDesignItem* item) {
  if (CComponentFrame* frame = GetFrame()) frame->OnProperties(item);
}

// Only the marked items are visited: on a part of tens of thousands of pads, a walk over
// every pad misses the cache once per pad and costs more than the rest of an undo.
void CSymbolView::ClearHighlight() {
  if (m_design == nullptr) return;
  const CHighlightOverview* highlights = m_design->GetHighlightOverview();
  std::vector<CDesignItem*> marked = highlights->Items();
  for (CDesignItem* item : m_design->GetSelectionOverview()->Items()) {
    if (!highlights->Contains(item)) marked.push_back(item);
  }
  // A symbol redrawn for its own marks takes its pads along, so its pads are drawn one
  // by one only when the symbol was not.
  std::unordered_set<const CSymbolInstance*> redrawn;
  for (CDesignItem* item : marked) {
    if (auto* symbol = DynamicDowncast<CSymbolInstance>(item)) {
      ClearSymbolMarks(symbol);
      redrawn.insert(symbol);
    }
  }
  for (CDesignItem* item : marked) {
    auto* pad = DynamicDowncast<CPadInstance>(item);
    if (pad == nullptr) continue;
    pad->SetSelected(false);
    pad->SetHighlight(false);
    if (!redrawn.contains(pad->GetSymbolInstance())) Draw(pad, kDrawAfterChange);
  }
}

void CSymbolView::ClearSymbolMarks(CSymbolInstance* instance) {
  if (!instance->GetHighlight() && !instance->IsSelected()) return;
  instance->SetHighlight(false);
  Draw(instance, kDrawClearedSymbol);
  instance->SetSelected(false);
}

void CSymbolView::LoadColours() {
  if (m_design == nullptr) return;
  const ViewColours colours = ReadViewColours();
  CDesignColours* design = m_design->GetDesignColours();
  design->SetBackground(colours.background);
  design->SetAssignedPins(colours.assignedPins);
  design->SetColour(RUNTIME_CLASS(CPadInstance), colours.unassignedPins);
  design->SetColour(RUNTIME_CLASS(CTextInstance), colours.text);
  design->SetColour(RUNTIME_CLASS(CCopperInstance), colours.outlines);
  design->SetSelection(colours.selection);
  design->SetHighlight(colours.highlight);
  design->SetColour(RUNTIME_CLASS(CPinNameInstance), colours.pinNames);
  design->SetColour(RUNTIME_CLASS(CPinNumberInstance), colours.pinNumbers);
  design->SetHighlightUnconnectedPins(false);
  design->SetUnconnectedPins(colours.unconnectedPins);
}

void CSymbolView::ResetDesign() {
  m_assignPins.Reset();
  m_pads.Clear();
  if (m_design == nullptr) return;
  m_design->GetSelectionOverview()->Reset();
  if (CComponentInstance* instance = m_design->FirstComponentInstance())
    m_design->DeleteComponentInstance(instance);
  if (CComponent* component = m_design->FirstComponent()) m_design->DeleteComponent(component);
  MergeTechnology();
}

// An undo or a redo of an assignment changes only pins: the drawing's copy takes them,
// marks and the assign run are dropped and the drawing fitted as a rebuild leaves them,
// and the view repaints, instead of placing every item again. A change to anything else,
// or an update that changes nothing (a rebuild asked for), rebuilds.
bool CSymbolView::TakeChangedPins(const CComponent* component) {
  CComponentInstance* placed = GetPlacedInstance();
  if (component == nullptr || placed == nullptr) return false;
  CComponent* copy = placed->GetComponent();
  const std::optional<std::vector<PinChange>> changes =
      PinChangesBetween(copy->GetValue(), component->GetValue());
  if (!changes || changes->empty()) return false;
  for (const PinChange& change : *changes) SetPinInCopy(change.gate, change.terminal, change.pin);
  m_assignPins.Reset();
  ClearHighlight();
  m_design->GetSelectionOverview()->Reset();
  FitDesign();
  RefreshFrameCaption();
  return true;
}

bool CSymbolView::TakeUndoneChanges(CObject* hintObject) {
  CComponentFrame* frame = GetFrame();
  const CComponent* component = frame != nullptr ? frame->GetComponent(false) : nullptr;
  const std::vector<TerminalChange>* changes = UndoneTerminalChanges(hintObject, component);
  if (changes == nullptr || GetPlacedInstance() == nullptr) return false;
  m_assignPins.Reset();
  ClearHighlight();
  m_design->GetSelectionOverview()->Reset();
  TakeTerminalChanges(*component, *changes);
  RefreshFrameCaption();
  return true;
}

void CSymbolView::CopyTerminals(const CComponent& component, const std::vector<TerminalChange>& changes) {
  CComponent* copy = GetPlacedInstance()->GetComponent();
  for (const TerminalChange& change : changes) {
    if (change.pin)
      SetPinInCopy(change.gate, change.terminal, component.GetPinNumber(change.gate, change.terminal));
    const CGate* live = change.name ? component.FindGate(change.gate) : nullptr;
    if (CGate* drawn = live != nullptr ? copy->FindGate(change.gate) : nullptr)
      drawn->SetPinName(change.terminal, live->GetPinName(change.terminal));
  }
}

void CSymbolView::RedrawAround(const std::vector<CPadInstance*>& pads, const std::function<void()>& change) {
  constexpr size_t kFewPads = 256;
  const bool few = pads.size() <= kFewPads;
  if (few) {
    for (CPadInstance* pad : pads) Draw(pad, kDrawBeforeChange);
  }
  change();
  if (!few) {
    Invalidate();
    return;
  }
  for (CPadInstance* pad : pads) Draw(pad, kDrawAfterChange);
}

// The registry colours are applied again afterwards: they win over the technology's.
void CSymbolView::MergeTechnology() {
  const CRuntimeClass* kind = m_design->IsKindOf(RUNTIME_CLASS(CPcbDesign))
                                  ? RUNTIME_CLASS(CPcbSymbolLibrary)
                                  : RUNTIME_CLASS(CScmSymbolLibrary);
  const CString file = GetLastTechnologyFile(kind);
  if (file.IsEmpty()) return;
  CFilePath path;
  path.SetDirectory(GetTechnologyDirectory());
  path.SetFileName(file);
  m_design->AddDesign(path, false);
  LoadColours();
}

void CSymbolView::FitDesign() {
  if (m_design == nullptr) return;
  const CRect contents = m_design->GetExtents();
  const CBox extents(contents);
  const long largest = extents.Width() > extents.Height() ? extents.Width() : extents.Height();
  const int side = static_cast<int>(std::min<long>(largest + kFitMargin, 0x7FFFFFFF));
  const CBox area(0, 0, side, side);
  m_design->SetDesignArea(area.ToRect());
  const CPoint target = area.CentrePoint();
  const CPoint centre = extents.CentrePoint();
  m_design->Shift(target.x - centre.x, target.y - centre.y);
  // A shift moves every item, and so the contents, by whole units.
  CRect shifted = contents;
  if (!shifted.IsRectEmpty()) shifted.OffsetRect(target.x - centre.x, target.y - centre.y);
  ZoomToExtents(shifted);
}

void CSymbolView::OnInitialUpdate() {
  if (CComponentFrame* frame = GetFrame()) frame->OnViewInitialUpdate();
  StartSelectMode();
  // The base's initial update sends itself an update; the build follows once, below.
  m_inBaseInitialUpdate = true;
  CDesignDrawing::OnInitialUpdate();
  m_inBaseInitialUpdate = false;
  OnUpdate(nullptr, HintComponent, GetDocument());
}

void CSymbolView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  // Compared as unsigned, so negative hints are out of range too.
  const bool inRange = static_cast<unsigned long>(hint) < static_cast<unsigned long>(HintCount);
  const bool applied = sender != this && inRange && !m_inBaseInitialUpdate;
  if (applied && hint == HintComponent && TakeUndoneChanges(hintObject)) return;
  if (applied) ApplyHint(hint, hintObject);
  // Marks and pin changes draw the items they touch; only the rest repaints everything.
  if (!DrawsItemByItem(hint)) CDesignDrawing::OnUpdate(sender, hint, hintObject);
}

bool CSymbolView::DrawsItemByItem(LPARAM hint) {
  switch (hint) {
    case HintPicked:
    case HintClearHighlight:
    case HintHighlightPin:
    case HintPinNumber:
    case HintPinName:
      return true;
    default:
      return false;
  }
}

void CSymbolView::ApplyHint(LPARAM hint, CObject* hintObject) {
  switch (hint) {
    case HintComponent: {
      CComponentFrame* frame = GetFrame();
      CComponent* component = frame != nullptr ? frame->GetComponent(false) : nullptr;
      if (!TakeChangedPins(component)) BuildDesign(component);
      break;
    }
    case HintPicked:
      HighlightPicked(hintObject);
      break;
    case HintClearHighlight:
      ClearHighlight();
      break;
    case HintHighlightPin: {
      int gate = 0;
      int number = 0;
      UnpackHighlightPin(hintObject, gate, number);
      HighlightTerminal(gate, number);
      break;
    }
    case HintPinNumber:
      UpdatePinNumber(DynamicDowncast<CPinNumberHint>(hintObject));
      break;
    case HintPinName:
      UpdatePinName(DynamicDowncast<CPinNameHint>(hintObject));
      break;
    case HintComponentObject:
      RebuildFromHint(hintObject);
      break;
    case HintColours:
      LoadColours();
      SendColoursChanged();
      break;
    default:
      break;
  }
}

void CSymbolView::HighlightPicked(CObject* item) {
  if (auto* pad = DynamicDowncast<CPadInstance>(item)) {
    HighlightMatchingPads(pad);
  } else if (auto* instance = DynamicDowncast<CSymbolInstance>(item)) {
    HighlightSymbolPads(instance);
  }
}

void CSymbolView::SendColoursChanged() {
  CEvt::Send("DesignColoursChanged", reinterpret_cast<long>(m_design.get()), 0);
}

void CSymbolView::RebuildFromHint(CObject* hintObject) {
  if (const auto* carrier = DynamicDowncast<CComponentHint>(hintObject)) BuildDesign(carrier->GetComponent());
}

void CSymbolView::UpdatePinName(const CPinNameHint*) {}

void CSymbolView::UpdatePinNumber(const CPinNumberHint*) {}

void CSymbolView::BuildDesign(CComponent*) {}

void CSymbolView::HighlightMatchingPads(CPadInstance*) {}

void CSymbolView::HighlightSymbolPads(CSymbolInstance* instance) {
  if (instance == nullptr) return;
  for (int index = 0; index < instance->CountPads(); ++index) HighlightMatchingPads(instance->GetPad(index));
}

void CSymbolView::HighlightTerminal(int, int) {}

void CSymbolView::TakeTerminalChanges(const CComponent& component,
                                      const std::vector<TerminalChange>& changes) {
  CopyTerminals(component, changes);
  Invalidate();
}

CComponentInstance* CSymbolView::GetPlacedInstance() const {
  return m_design != nullptr ? m_design->FirstComponentInstance() : nullptr;
}

void CSymbolView::RenameTerminalInCopy(const CPinNameHint& hint) {
  CComponentInstance* placed = GetPlacedInstance();
  if (placed == nullptr) return;
  const CComponent* copy = placed->GetComponent();
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = copy->FirstGate(position, index); gate != nullptr;
       gate = copy->NextGate(position, index)) {
    if (gate->GetSymbol().CompareNoCase(hint.GetSymbolName()) == 0) {
      gate->SetPinName(hint.GetTerminal(), hint.GetTerminalName());
    }
  }
}

void CSymbolView::RefreshFrameCaption() {
  if (CComponentFrame* frame = GetFrame()) frame->SetCaption();
}

void CSymbolView::SetPinInCopy(int gate, int terminal, int pin) {
  CComponentInstance* placed = GetPlacedInstance();
  if (placed == nullptr) return;
  CComponent* copy = placed->GetComponent();
  const int from = copy->GetPinNumber(gate, terminal);
  copy->SetPinNumber(gate, terminal, pin);
  m_pads.MoveTerminal(gate, terminal, from, copy->GetPinNumber(gate, terminal));
}

void CSymbolView::MarkHighlighted(CPadInstance* pad) {
  pad->SetHighlight(true);
  Draw(pad, kDrawAfterChange);
}

LRESULT CSymbolView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT actorCommand = RegisterWindowMessage("CActor::Command");
  if (message == actorCommand) m_director->OnCommand(static_cast<UINT>(lParam));
  return CDesignDrawing::WindowProc(message, wParam, lParam);
}

LRESULT CSymbolView::OnLeftButtonDown(WPARAM flags, LPARAM point) {
  m_director->OnLButtonDown(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnLeftButtonUp(WPARAM flags, LPARAM point) {
  m_director->OnLButtonUp(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnLeftButtonDoubleClick(WPARAM flags, LPARAM point) {
  m_director->OnLButtonDblClk(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnMiddleButtonDown(WPARAM flags, LPARAM point) {
  CDesignDrawing::OnMButtonDown(static_cast<UINT>(flags), PointOf(point));
  m_director->OnMButtonDown(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnMiddleButtonUp(WPARAM flags, LPARAM point) {
  CDesignDrawing::OnMButtonUp(static_cast<UINT>(flags), PointOf(point));
  m_director->OnMButtonUp(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnMouseMoved(WPARAM flags, LPARAM point) {
  CDesignDrawing::OnMouseMove(static_cast<UINT>(flags), PointOf(point));
  m_director->OnMouseMove(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CSymbolView::OnContextMenuRequest(WPARAM window, LPARAM screenPoint) {
  m_director->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(window)), PointOf(screenPoint));
  return 0;
}

LRESULT CSymbolView::OnCharacter(WPARAM ch, LPARAM repeatAndFlags) {
  const auto bits = static_cast<std::uintptr_t>(repeatAndFlags);
  m_director->OnChar(static_cast<UINT>(ch), LOWORD(bits), HIWORD(bits));
  return 0;
}

void CSymbolView::OnDirectorCommand(UINT id) {
  m_director->OnCommand(id);
}

// The main window may route the command back down to this view: relay it once only.
void CSymbolView::OnPinAssignmentEnded() {
  static bool relaying = false;
  CWinThread* thread = AfxGetThread();
  CWnd* mainWindow = thread != nullptr ? thread->GetMainWnd() : nullptr;
  if (relaying || mainWindow == nullptr) return;
  relaying = true;
  mainWindow->SendMessage(WM_COMMAND, ID_PIN_ASSIGNMENT_ENDED, 0);
  relaying = false;
}
