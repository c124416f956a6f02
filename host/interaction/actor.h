// CActor: an interaction mode of a view. The view's director hands input to its running
// actor, which looks the input up among the bindings of its current state: an action to
// run (or, when the binding's test fails, an alternative) and the state to move to.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include "host/interaction/status_info.h"
#include "platform/context_menu.h"
#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CDirector;
class CView;

class CActor : public CObject {
  DECLARE_DYNAMIC(CActor)

 public:
  // States a binding may name besides the actor's own, and the framework's events.
  static constexpr int kAnyState = -999;
  static constexpr int kKeepState = -998;
  static constexpr int kContextMenuEvent = -994;
  static constexpr int kStopEvent = -993;  // Escape; actors usually bind it to StopActor

  CActor(CDirector* director, const CString& name);
  ~CActor() override;
  CActor(const CActor&) = delete;
  CActor& operator=(const CActor&) = delete;

  const CString& GetName() const { return m_name; }

  // Leaves the previous director, stopping there first if running, and joins this one.
  void SetDirector(CDirector* director);
  CDirector* GetDirector() const { return m_director; }
  // The view the director works for; null without a director.
  CView* GetView() const;

  int GetCurrentState() const { return m_state; }
  // kAnyState and kKeepState name no state: the current one stays.
  void SetCurrentState(int state);

  // Makes this the director's running actor in `state`, stopping the running one first.
  // An actor that runs already only changes state, unless `restart` stops and starts it
  // again. Without a director nothing happens.
  void StartActor(int state, bool restart);
  // Stops this actor if it runs; the director then starts its first actor again.
  void StopActor();
  bool IsRunning() const;

  CStatusInfo& GetStatusInfo() { return m_status; }
  const CStatusInfo& GetStatusInfo() const { return m_status; }

  // Input as the director hands it over; true when a binding ran.
  bool RunLeftClick(CPoint point, UINT flags);
  bool RunAction(int event);

  virtual void OnStart();
  virtual void OnStop();
  // Lets FillContextMenu fill `menu` and shows it when it has items; the chosen command
  // comes back through the director as an action event. `point` is in the view's client
  // coordinates. True when the menu was shown.
  virtual bool ShowContextMenu(CContextMenu* menu, CPoint point);
  // Adds this actor's items; true when it added any.
  virtual bool FillContextMenu(CContextMenu* menu, CPoint point);
  // Input that has no bindings: panning and zooming belong to the view.
  virtual void OnMiddleButton(bool pressed, UINT flags, CPoint point);
  virtual void OnMouseMove(UINT flags, CPoint point);
  // Characters other than Escape, which arrives as kStopEvent.
  virtual void OnChar(UINT ch, UINT repeatCount, UINT flags);

 protected:
  // As the virtual one; `rightButton` lets the right button choose an item as well.
  bool ShowContextMenu(CContextMenu* menu, CPoint point, bool rightButton);
  // The action for kContextMenuEvent: a menu at the point of the request.
  void ContextMenu();

  // Binds a left click in `state` to a member of the derived actor taking the click
  // point and key flags. Binding the same state again replaces the earlier binding.
  // False, binding nothing, when `action` is null or not a member of this actor's class.
  template <class T, class R>
  bool OnLeftClick(int state, R (T::*action)(CPoint, UINT), int nextState,
                   bool (std::type_identity_t<T>::*test)(CPoint, UINT) = nullptr,
                   void (std::type_identity_t<T>::*alternative)(CPoint, UINT) = nullptr,
                   int alternativeState = kKeepState) {
    T* self = dynamic_cast<T*>(this);
    if (self == nullptr || action == nullptr) return false;
    Binding binding{WithClickArguments(self, action), {}, {}, nextState, alternativeState};
    if (test != nullptr) binding.test = WithClickArguments(self, test);
    if (alternative != nullptr) binding.alternative = WithClickArguments(self, alternative);
    m_clickBindings[state] = std::move(binding);
    return true;
  }

  // Binds an event or command identifier in `state` to a member without arguments.
  template <class T, class R>
  bool OnAction(int state, int event, R (T::*action)(), int nextState,
                bool (std::type_identity_t<T>::*test)() = nullptr,
                void (std::type_identity_t<T>::*alternative)() = nullptr, int alternativeState = kKeepState) {
    T* self = dynamic_cast<T*>(this);
    if (self == nullptr || action == nullptr) return false;
    Binding binding{WithoutArguments(self, action), {}, {}, nextState, alternativeState};
    if (test != nullptr) binding.test = WithoutArguments(self, test);
    if (alternative != nullptr) binding.alternative = WithoutArguments(self, alternative);
    m_actionBindings[{state, event}] = std::move(binding);
    return true;
  }

 private:
  friend class CDirector;

  struct Binding {
    std::function<void(CPoint, UINT)> action;
    std::function<bool(CPoint, UINT)> test;         // empty: the action always runs
    std::function<void(CPoint, UINT)> alternative;  // may be empty
    int nextState = kKeepState;
    int alternativeState = kKeepState;
  };

  template <class T, class F>
  static auto WithClickArguments(T* self, F member) {
    return [self, member](CPoint point, UINT flags) { return std::invoke(member, self, point, flags); };
  }
  template <class T, class F>
  static auto WithoutArguments(T* self, F member) {
    return [self, member](CPoint, UINT) { return std::invoke(member, self); };
  }

  const Binding* FindLeftClick() const;
  const Binding* FindAction(int event) const;
  bool Run(const Binding* found, CPoint point, UINT flags);
  // Stops without letting the director fall back to its first actor.
  void Halt();
  // The director is going away.
  void LeaveDirector();

  CDirector* m_director = nullptr;  // not owned
  CString m_name;
  int m_state = 0;
  CStatusInfo m_status;
  std::map<int, Binding> m_clickBindings;
  std::map<std::pair<int, int>, Binding> m_actionBindings;
  // Lets input that ran an action find out whether the action destroyed the actor.
  std::shared_ptr<int> m_lifetime = std::make_shared<int>(0);
};
