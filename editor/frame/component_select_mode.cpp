#include "editor/frame/component_select_mode.h"

#include "editor/frame/component_frame.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/drawing/design_drawing.h"
#include "host/interaction/director.h"
#include "host/model/design.h"
#include "host/picking/pick.h"
#include "platform/document.h"

IMPLEMENT_DYNAMIC(CComponentSelectMode, CActor)

namespace {
constexpr int kSelectState = 0;
}  // namespace

CComponentSelectMode::CComponentSelectMode() : CActor(nullptr, "ComponentSelectMode") {}

void CComponentSelectMode::Start(CDirector* director) {
  if (GetDirector() == nullptr && director != nullptr) {
    SetDirector(director);
    m_view = DynamicDowncast<CDesignDrawing>(director->GetView());
    m_design = m_view != nullptr ? m_view->GetDrawnDesign() : nullptr;
    Bind();
  }
  StartActor(kSelectState, true);
}

void CComponentSelectMode::Bind() {
  OnLeftClick(kSelectState, &CComponentSelectMode::OnSelect, kSelectState);
  OnAction(kSelectState, kContextMenuEvent, &CComponentSelectMode::ContextMenu, kKeepState);
  OnAction(kSelectState, static_cast<int>(ID_CONTEXT_PROPERTIES), &CComponentSelectMode::OnProperties,
           kKeepState);
}

void CComponentSelectMode::OnSelect(CPoint point, UINT) {
  if (m_view == nullptr) return;
  CDocument* document = m_view->GetDocument();
  CPick pick(m_view);
  if (document != nullptr) document->UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  if (!pick.PickItems(point, kPickPads | kPickSymbols, nullptr, nullptr)) return;
  CDesignItem* item = pick.GetItem();
  item->SetSelected(true);
  m_view->Draw(item, kDrawAfterChange);
  // Sent by this view, so that only the grid and the other view answer it.
  if (document != nullptr) document->UpdateAllViews(m_view, HintPicked, item);
}

bool CComponentSelectMode::ShowContextMenu(CContextMenu* menu, CPoint point) {
  return CActor::ShowContextMenu(menu, point, false);
}

bool CComponentSelectMode::FillContextMenu(CContextMenu* menu, CPoint point) {
  OnSelect(point, 0);
  if (menu == nullptr || GetSelectedItem() == nullptr) return false;
  menu->AppendMenu(0, ID_CONTEXT_PROPERTIES, IDS_MENU_PROPERTIES);
  return true;
}

void CComponentSelectMode::OnProperties() {
  if (CComponentFrame* frame = GetComponentFrame(m_view)) frame->OnProperties(GetSelectedItem());
}

CDesignItem* CComponentSelectMode::GetSelectedItem() const {
  return m_design != nullptr ? m_design->GetSelectionOverview()->First() : nullptr;
}
