#include "host/interaction/director.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "host/interaction/actor.h"
#include "platform/view.h"

namespace {
constexpr int kClickTolerance = 4;  // pixels, as the system's drag threshold
constexpr UINT kEscape = 0x1B;
constexpr CPoint kKeyboardRequest(-1, -1);

bool WithinClick(CPoint press, CPoint point) {
  return std::abs(point.x - press.x) <= kClickTolerance && std::abs(point.y - press.y) <= kClickTolerance;
}
}  // namespace

CDirector::CDirector(CView* view, CActor* firstActor, UINT commandId)
    : m_view(view), m_firstActor(firstActor), m_commandId(commandId) {}

CDirector::~CDirector() {
  m_running = nullptr;
  for (CActor* actor : std::exchange(m_attached, {})) actor->LeaveDirector();
}

UINT CDirector::GetCommandMessage() {
  static const UINT message = RegisterWindowMessage("CActor::Command");
  return message;
}

void CDirector::OnLButtonDown(UINT flags, CPoint point) {
  m_lastMousePoint = point;
  m_press = Press{point, flags};
}

void CDirector::OnLButtonUp(UINT, CPoint point) {
  m_lastMousePoint = point;
  const std::optional<Press> press = std::exchange(m_press, std::nullopt);
  if (!press || !WithinClick(press->point, point) || m_running == nullptr) return;
  m_running->RunLeftClick(press->point, press->flags);
}

void CDirector::OnLButtonDblClk(UINT, CPoint point) {
  m_lastMousePoint = point;
}

void CDirector::OnMButtonDown(UINT flags, CPoint point) {
  m_lastMousePoint = point;
  if (m_running != nullptr) m_running->OnMiddleButton(true, flags, point);
}

void CDirector::OnMButtonUp(UINT flags, CPoint point) {
  m_lastMousePoint = point;
  if (m_running != nullptr) m_running->OnMiddleButton(false, flags, point);
}

void CDirector::OnMouseMove(UINT flags, CPoint point) {
  m_lastMousePoint = point;
  if (m_press && !WithinClick(m_press->point, point)) m_press.reset();
  if (m_running != nullptr) m_running->OnMouseMove(flags, point);
}

void CDirector::OnChar(UINT ch, UINT repeatCount, UINT flags) {
  if (m_running == nullptr) return;
  if (ch == kEscape) {
    m_running->RunAction(CActor::kStopEvent);
    return;
  }
  m_running->OnChar(ch, repeatCount, flags);
}

void CDirector::OnContextMenu(CWnd*, CPoint screenPoint) {
  m_contextMenuPoint = ToClient(screenPoint);
  if (m_running != nullptr) m_running->RunAction(CActor::kContextMenuEvent);
}

bool CDirector::OnCommand(UINT id) {
  return m_running != nullptr && m_running->RunAction(static_cast<int>(id));
}

CPoint CDirector::ToClient(CPoint screenPoint) const {
  if (screenPoint == kKeyboardRequest) return m_lastMousePoint;
  if (m_view != nullptr && IsWindowHandle(m_view->GetSafeHwnd())) m_view->ScreenToClient(&screenPoint);
  return screenPoint;
}

void CDirector::Attach(CActor* actor) {
  if (!IsAttached(actor)) m_attached.push_back(actor);
}

void CDirector::Detach(CActor* actor) {
  std::erase(m_attached, actor);
  if (m_running == actor) m_running = nullptr;
}

bool CDirector::IsAttached(const CActor* actor) const {
  return std::find(m_attached.begin(), m_attached.end(), actor) != m_attached.end();
}

void CDirector::NotifyActorStopped() {
  if (m_commandId == 0 || m_view == nullptr || !IsWindowHandle(m_view->GetSafeHwnd())) return;
  m_view->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_commandId), 0), 0);
}

void CDirector::StartFirstActor(const CActor* stopped) {
  // The first actor may be gone; only one that is still attached is dereferenced.
  if (m_running != nullptr || m_firstActor == stopped || !IsAttached(m_firstActor)) return;
  m_firstActor->StartActor(m_firstActor->GetCurrentState(), false);
}
