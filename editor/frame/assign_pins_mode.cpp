#include "editor/frame/assign_pins_mode.h"

#include "editor/frame/symbols_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/drawing/design_drawing.h"
#include "host/interaction/director.h"
#include "host/model/design_item.h"
#include "host/picking/pick.h"
#include "platform/document.h"

IMPLEMENT_DYNAMIC(CAssignPinsMode, CActor)

CAssignPinsMode::CAssignPinsMode() : CActor(nullptr, "AssignPinsMode") {}

void CAssignPinsMode::Start(CDirector* director) {
  if (director != nullptr) {
    SetDirector(director);
    m_view = DynamicDowncast<CDesignDrawing>(director->GetView());
    Bind();
  }
  StartActor(kReadyState, true);
  CString prompt;
  prompt.LoadString(IDS_UNDO_ASSIGN_PINS);
  GetStatusInfo().SetStatusString(prompt);
}

// Binding a state and event again replaces the earlier binding, so each click still
// runs its action once after any number of starts.
void CAssignPinsMode::Bind() {
  OnLeftClick(kReadyState, &CAssignPinsMode::OnFirstPick, kReadyState);
  OnLeftClick(kAwaitPartnerState, &CAssignPinsMode::OnSecondPick, kReadyState);
  OnAction(kAnyState, kStopEvent, &CAssignPinsMode::StopActor, kKeepState);
  OnAction(kAnyState, kContextMenuEvent, &CAssignPinsMode::ContextMenu, kKeepState);
  OnAction(kAnyState, static_cast<int>(ID_CONTEXT_CANCEL_ASSIGN_PINS), &CAssignPinsMode::StopActor,
           kKeepState);
}

void CAssignPinsMode::OnFirstPick(CPoint point, UINT) {
  ClearAllMarks();
  CDesignItem* item = PickPad(point);
  if (item == nullptr) return;
  item->SetSelected(true);
  m_view->Draw(item, kDrawAfterChange);
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->BeginPinAssignment(item);
  if (m_pending != nullptr) UnmarkPending();
  // Sent by this view: the grid and the other view show the pad's counterparts.
  if (CDocument* document = m_view->GetDocument()) document->UpdateAllViews(m_view, HintPicked, item);
  m_pending = item;
}

void CAssignPinsMode::OnSecondPick(CPoint point, UINT) {
  CDesignItem* item = PickPad(point);
  if (item == nullptr) return;
  ClearAllMarks();
  item->SetHighlight(true);
  m_view->Draw(item, kDrawAfterChange);
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->CompletePinAssignment(item);
  m_pending = item;
}

CDesignItem* CAssignPinsMode::PickPad(CPoint point) const {
  if (m_view == nullptr) return nullptr;
  CPick pick(m_view);
  return pick.PickItems(point, kPickPads, nullptr, nullptr) ? pick.GetItem() : nullptr;
}

void CAssignPinsMode::ClearAllMarks() {
  CDocument* document = m_view != nullptr ? m_view->GetDocument() : nullptr;
  if (document != nullptr) document->UpdateAllViews(nullptr, HintClearHighlight, nullptr);
}

CSymbolsFrame* CAssignPinsMode::GetSymbolsFrame() const {
  for (CWnd* window = m_view != nullptr ? m_view->GetParent() : nullptr; window != nullptr;
       window = window->GetParent()) {
    if (auto* symbols = DynamicDowncast<CSymbolsFrame>(window)) return symbols;
  }
  return nullptr;
}

bool CAssignPinsMode::FillContextMenu(CContextMenu* menu, CPoint) {
  if (menu == nullptr) return false;
  menu->AppendMenu(0, ID_CONTEXT_CANCEL_ASSIGN_PINS, IDS_MENU_CANCEL);
  return true;
}

void CAssignPinsMode::ClearAssignPick() {
  if (m_pending != nullptr) {
    UnmarkPending();
    m_pending = nullptr;
  }
  SetCurrentState(kAwaitPartnerState);
}

void CAssignPinsMode::RestoreAssignPick() {
  if (m_pending != nullptr) {
    m_pending->SetHighlight(true);
    DrawPending();
  }
  SetCurrentState(kReadyState);
}

void CAssignPinsMode::Reset() {
  m_pending = nullptr;
  // The symbols frame must not hold on to a first pick that goes with the drawing.
  if (CSymbolsFrame* symbols = GetSymbolsFrame()) symbols->ForgetFirstPick(m_view);
  SetCurrentState(kReadyState);
}

void CAssignPinsMode::OnStop() {
  if (m_pending == nullptr) return;
  UnmarkPending();
  m_pending = nullptr;
}

void CAssignPinsMode::UnmarkPending() {
  m_pending->SetHighlight(false);
  DrawPending();
}

void CAssignPinsMode::DrawPending() {
  if (m_view != nullptr) m_view->Draw(m_pending, kDrawAfterChange);
}
