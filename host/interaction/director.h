// CDirector: hands a view's input to the view's running actor. A view owns one and
// passes it its mouse, key, context-menu and command input; the actors it works with
// join it through CActor::SetDirector.
#pragma once

#include <optional>
#include <vector>

#include "platform/types.h"

class CActor;
class CView;
class CWnd;

class CDirector {
 public:
  // `firstActor` is the one to start again when the running actor stops (once it has
  // joined this director). Each time an actor stops running, the view is sent
  // WM_COMMAND with `commandId` (none when it is 0).
  CDirector(CView* view, CActor* firstActor, UINT commandId);
  ~CDirector();
  CDirector(const CDirector&) = delete;
  CDirector& operator=(const CDirector&) = delete;

  CView* GetView() const { return m_view; }
  CActor* GetRunningActor() const { return m_running; }

  // The registered message "CActor::Command": its lParam is a command identifier for
  // OnCommand.
  static UINT GetCommandMessage();

  // A left click is a press and a release within a few pixels of each other; it runs
  // the running actor's click binding at the point of the press. The second press of a
  // double click comes as OnLButtonDblClk and makes no second click.
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMButtonDown(UINT flags, CPoint point);
  void OnMButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  // Escape becomes the actor's stop event; other characters go to CActor::OnChar.
  void OnChar(UINT ch, UINT repeatCount, UINT flags);
  // The actor's context-menu event; (-1, -1), as the keyboard asks, means at the mouse.
  void OnContextMenu(CWnd* window, CPoint screenPoint);
  // Runs the running actor's binding of event `id`; true when one ran.
  bool OnCommand(UINT id);

  // The last context-menu request, in the view's client coordinates.
  CPoint GetContextMenuPoint() const { return m_contextMenuPoint; }

 private:
  friend class CActor;

  struct Press {
    CPoint point;
    UINT flags = 0;
  };

  void Attach(CActor* actor);
  void Detach(CActor* actor);
  bool IsAttached(const CActor* actor) const;
  void SetRunningActor(CActor* actor) { m_running = actor; }
  void NotifyActorStopped();
  void StartFirstActor(const CActor* stopped);
  CPoint ToClient(CPoint screenPoint) const;

  CView* m_view;         // not owned: the view owns the director
  CActor* m_firstActor;  // not owned
  UINT m_commandId;
  CActor* m_running = nullptr;
  std::vector<CActor*> m_attached;  // not owned; each leaves as it is destroyed
  std::optional<Press> m_press;
  CPoint m_lastMousePoint;
  CPoint m_contextMenuPoint;
};
