// CAssignPinsMode: the mode in which the user assigns pins by clicking a pad in one
// symbol view and then its partner in the other. Each view owns one. It remembers the
// item it picked last (the pending item), marked while the assignment is under way.
//
// States: 0, ready for a first pick; 1, the other view holds the first pick and this
// one waits for the partner.
#pragma once

#include "host/interaction/actor.h"

class CContextMenu;
class CDesignDrawing;
class CDesignItem;
class CDirector;
class CSymbolsFrame;

class CAssignPinsMode : public CActor {
  DECLARE_DYNAMIC(CAssignPinsMode)

 public:
  static constexpr int kReadyState = 0;
  static constexpr int kAwaitPartnerState = 1;

  CAssignPinsMode();

  // Joins `director` and binds its input (at every start that passes one), runs in
  // state 0 and shows the "Assign Pins" prompt.
  void Start(CDirector* director);

  // The click in state 0: the pad under `point` becomes the first pick of a pair.
  void OnFirstPick(CPoint point, UINT flags);
  // The click in state 1: the pad under `point` completes the pair the other view began.
  void OnSecondPick(CPoint point, UINT flags);

  CDesignItem* GetPendingItem() const { return m_pending; }
  // The item this view picked last becomes the pending item.
  void RememberPick(CDesignItem* item) { m_pending = item; }

  // The other view took the first pick: unmark and forget the pending item, then wait
  // for the partner (state 1).
  void ClearAssignPick();
  // The pair is complete: mark the pending item again, keep it, and be ready (state 0).
  void RestoreAssignPick();
  // The view's design is about to be emptied: forget the pending item without drawing
  // it, and be ready.
  void Reset();

  void OnStop() override;
  // Offers "Cancel", which stops the mode.
  bool FillContextMenu(CContextMenu* menu, CPoint point) override;

 private:
  void Bind();
  // The pad under `point`; null when there is none.
  CDesignItem* PickPad(CPoint point) const;
  void ClearAllMarks();
  CSymbolsFrame* GetSymbolsFrame() const;
  // Drops the pending item's highlight and draws it so.
  void UnmarkPending();
  void DrawPending();

  CDesignDrawing* m_view = nullptr;  // not owned: the director's view
  CDesignItem* m_pending = nullptr;  // not owned: an item of the view's design
};
