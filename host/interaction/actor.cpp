#include "host/interaction/actor.h"

#include "host/interaction/director.h"
#include "platform/view.h"

IMPLEMENT_DYNAMIC(CActor, CObject)

CActor::CActor(CDirector* director, const CString& name) : m_name(name) {
  SetDirector(director);
}

CActor::~CActor() {
  if (m_director != nullptr) m_director->Detach(this);
}

void CActor::SetDirector(CDirector* director) {
  if (director == m_director) return;
  StopActor();
  if (m_director != nullptr) m_director->Detach(this);
  m_director = director;
  if (m_director != nullptr) m_director->Attach(this);
}

CView* CActor::GetView() const {
  return m_director != nullptr ? m_director->GetView() : nullptr;
}

void CActor::SetCurrentState(int state) {
  if (state == kAnyState || state == kKeepState) return;
  m_state = state;
}

bool CActor::IsRunning() const {
  return m_director != nullptr && m_director->GetRunningActor() == this;
}

void CActor::StartActor(int state, bool restart) {
  if (m_director == nullptr) return;
  CActor* running = m_director->GetRunningActor();
  if (running == this && !restart) {
    SetCurrentState(state);
    return;
  }
  if (running != nullptr) running->Halt();
  SetCurrentState(state);
  m_director->SetRunningActor(this);
  m_status.Show();
  OnStart();
}

void CActor::StopActor() {
  if (!IsRunning()) return;
  CDirector* director = m_director;
  Halt();
  director->StartFirstActor(this);
}

void CActor::Halt() {
  CDirector* director = m_director;
  director->SetRunningActor(nullptr);
  m_status.Hide();
  OnStop();
  director->NotifyActorStopped();
}

void CActor::LeaveDirector() {
  m_director = nullptr;
  m_status.Hide();
}

const CActor::Binding* CActor::FindLeftClick() const {
  for (const int state : {m_state, kAnyState}) {
    const auto found = m_clickBindings.find(state);
    if (found != m_clickBindings.end()) return &found->second;
  }
  return nullptr;
}

const CActor::Binding* CActor::FindAction(int event) const {
  for (const int state : {m_state, kAnyState}) {
    const auto found = m_actionBindings.find({state, event});
    if (found != m_actionBindings.end()) return &found->second;
  }
  return nullptr;
}

bool CActor::RunLeftClick(CPoint point, UINT flags) {
  return Run(FindLeftClick(), point, flags);
}

bool CActor::RunAction(int event) {
  return Run(FindAction(event), CPoint(), 0);
}

bool CActor::Run(const Binding* found, CPoint point, UINT flags) {
  if (found == nullptr) return false;
  // A copy runs: the action may bind again and so replace the stored binding.
  const Binding binding = *found;
  const std::weak_ptr<int> alive = m_lifetime;
  int next = binding.nextState;
  if (!binding.test || binding.test(point, flags)) {
    binding.action(point, flags);
  } else {
    if (binding.alternative) binding.alternative(point, flags);
    next = binding.alternativeState;
  }
  if (!alive.expired()) SetCurrentState(next);
  return true;
}

void CActor::OnStart() {}

void CActor::OnStop() {}

bool CActor::ShowContextMenu(CContextMenu* menu, CPoint point) {
  return ShowContextMenu(menu, point, true);
}

bool CActor::ShowContextMenu(CContextMenu* menu, CPoint point, bool rightButton) {
  if (menu == nullptr || m_director == nullptr) return false;
  // What the menu holds decides, whatever the filler answers: an override may have
  // added items of its own before.
  FillContextMenu(menu, point);
  if (menu->GetMenuItemCount() == 0) return false;
  CDirector* director = m_director;
  CView* view = director->GetView();
  CPoint screenPoint = point;
  if (view != nullptr && IsWindowHandle(view->GetSafeHwnd())) view->ClientToScreen(&screenPoint);
  const UINT flags = TPM_LEFTALIGN | TPM_RETURNCMD | (rightButton ? TPM_RIGHTBUTTON : 0);
  const UINT chosen = menu->TrackPopupMenu(flags, screenPoint.x, screenPoint.y, view);
  if (chosen != 0) director->OnCommand(chosen);
  return true;
}

bool CActor::FillContextMenu(CContextMenu*, CPoint) {
  return false;
}

void CActor::ContextMenu() {
  if (m_director == nullptr) return;
  CContextMenu menu;
  menu.CreatePopupMenu();
  ShowContextMenu(&menu, m_director->GetContextMenuPoint());
}

void CActor::OnMiddleButton(bool, UINT, CPoint) {}

void CActor::OnMouseMove(UINT, CPoint) {}

void CActor::OnChar(UINT, UINT, UINT) {}
