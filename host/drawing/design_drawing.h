// CDesignDrawing: a view that draws a design. Every item is drawn in its colour from
// the design's CDesignColours (selection and highlight marks win over the kind's
// colour; pads with a pin assigned take the assigned-pins colour), pin names and
// numbers as the component instance's display says. One world-to-view transform serves
// drawing, zooming and picking: design units (y up) map to client pixels (y down).
#pragma once

#include <functional>
#include <memory>

#include "host/geometry/box.h"
#include "platform/view.h"

class CDesign;
class CDesignItem;

// What Draw does with an item, as its callers name the moments.
inline constexpr int kDrawAfterChange = 31;     // the item changed: draw it as it is now
inline constexpr int kDrawBeforeChange = 259;   // the item is about to change: erase it
inline constexpr int kDrawClearedSymbol = 538;  // a symbol instance whose marks are cleared

// The world-to-view transform: view = (world - origin) * scale, y flipped.
class CViewTransform {
 public:
  // From the whole coordinate range in a couple of hundred pixels to a pixel per unit.
  static constexpr double kMinScale = 1e-6;
  static constexpr double kMaxScale = 1.0;

  // Pixels per design unit. SetScale keeps it within the limits and ignores a scale
  // that is not a positive number.
  double GetScale() const { return m_scale; }
  void SetScale(double scale);
  // The design point shown at the client's top-left corner.
  CPoint GetOrigin() const { return m_origin; }
  void SetOrigin(CPoint origin) { m_origin = origin; }

  CPoint ToView(CPoint world) const;
  CPoint ToWorld(CPoint view) const;
  CRect ToView(const CRect& world) const;  // normalised
  CRect ToWorld(const CRect& view) const;  // normalised, y up
  int LengthToView(int worldLength) const;
  int LengthToWorld(int viewLength) const;

 private:
  double m_scale = 1.0 / 1000.0;  // a pixel per 0.1 mm
  CPoint m_origin;
};

class CDesignDrawing : public CView {
  DECLARE_DYNAMIC(CDesignDrawing)

 public:
  ~CDesignDrawing() override;

  // The design this view draws (not owned; may differ from the view's document).
  void SetDrawnDesign(CDesign* design);
  CDesign* GetDrawnDesign() const { return m_design; }

  const CViewTransform& GetTransform() const { return m_transform; }

  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC* dc) override;

  // Draws one item (and what belongs to it: a symbol instance's pads and texts) again:
  // the observer hears of it first, then the view repaints the item's area from the
  // design as it is by then. So an item erased with kDrawBeforeChange shows its new
  // state once changed, and kDrawAfterChange and kDrawClearedSymbol show it with its
  // current marks.
  void Draw(CDesignItem* item, int mode);
  // Asks the screen to repaint the area the item covers now, without telling the
  // observer; an item of no known kind repaints the whole view.
  void InvalidateItem(const CDesignItem* item);
  // The client pixels an item covers, with room for strokes and text that reach past
  // its estimated bounds; empty for an item of no known kind.
  CRect GetItemViewRect(const CDesignItem& item) const;

  // Told of every Draw call, in order, before the item is drawn: what a screen shows
  // one item at a time, tests and tools can follow.
  using DrawObserver = std::function<void(CDesignItem* item, int mode)>;
  void SetDrawObserver(DrawObserver observer) { m_drawObserver = std::move(observer); }

  // True when the mouse was last seen over the client area; a move over another
  // drawing takes it away. With `update`, the answer is first brought up to date from
  // the last mouse position and the current client size.
  bool CursorOverWindow(bool update) const;

  // Zooming keeps the design point under the cursor (the client centre when the
  // cursor is not over the view) where it is.
  void OnZoomInAtCursor();
  void OnZoomOutAtCursor();
  // Fits the design's extents (or its design area when nothing is placed) into the
  // client with a small margin, centred; the view stays fitted through resizes until the user
  // zooms or pans.
  void OnZoomAll();
  // The same for extents the caller already has: on a big design, estimating every
  // text's bounds again costs as much as the move that preceded it.
  void ZoomToExtents(CRect area);
  void OnRefresh();
  // Centres the view on the cursor position.
  void OnPan();
  // Centres the view on a design point; with `redraw` the view is drawn again.
  void OnPanTo(CPoint designPoint, bool redraw);

  // Middle button drags pan the view; mouse moves track the cursor.
  void OnMButtonDown(UINT flags, CPoint point);
  void OnMButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  // Wheel: a positive delta zooms in, a negative one out, at the point (in screen
  // coordinates, as the wheel message carries it).
  void OnMouseWheel(UINT flags, short delta, CPoint point);

  // The last mouse position seen, in client coordinates (CDesignWindow gives it in
  // design units).
  CPoint GetCursorPoint() const { return m_cursor; }

  // The drawing of a part of the client area (all of it for tests and the command-line
  // renderer, what needs repainting for the screen): background, then every item of
  // the drawn design that reaches into it. Returns how many items were painted.
  int Render(CDC& dc, const CRect& clientRect) const;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CDesignDrawing();
  int OnCreate(LPCREATESTRUCT cs) override;
  // A view that shows the whole design keeps doing so; any other keeps its centre.
  void OnSize(UINT type, int cx, int cy) override;

 private:
  // Each zoom step scales by this factor.
  static constexpr double kZoomStep = 1.5;

  LRESULT HandleMButtonDown(WPARAM flags, LPARAM point);
  LRESULT HandleMButtonUp(WPARAM flags, LPARAM point);
  LRESULT HandleMouseMove(WPARAM flags, LPARAM point);
  LRESULT HandleMouseWheel(WPARAM flags, LPARAM screenPoint);

  CSize GetClientSize() const;
  // Scales by `factor` keeping the design point under `viewPoint` where it is.
  void ZoomAt(CPoint viewPoint, double factor);
  // The client point zooming keeps still: the cursor's, or the centre.
  CPoint GetZoomPoint() const;
  void CentreOn(CPoint designPoint);
  void TrackCursor(CPoint point);

  CDesign* m_design = nullptr;  // not owned
  CViewTransform m_transform;
  CPoint m_cursor;
  mutable bool m_cursorOver = false;
  // The client size the transform was last set for.
  CSize m_clientSize;
  // True from OnZoomAll until the user zooms or pans.
  bool m_showsAll = false;
  // While the middle button drags: the design point held under the cursor.
  bool m_dragging = false;
  CPoint m_dragAnchor;
  DrawObserver m_drawObserver;
};

// The cursor position of the view under the mouse, in design units.
class CDesignWindow {
 public:
  explicit CDesignWindow(CDesignDrawing* view) : m_view(view) {}
  CPoint GetCurrentPosition() const;

 private:
  CDesignDrawing* m_view;  // not owned
};

// Keeps a view's drawing in step with its design for as long as the view lives
// (colour changes sent as the "DesignColoursChanged" event redraw the view).
class CHandleViewEvents {
 public:
  explicit CHandleViewEvents(CDesignDrawing* view);
  ~CHandleViewEvents();
  CHandleViewEvents(const CHandleViewEvents&) = delete;
  CHandleViewEvents& operator=(const CHandleViewEvents&) = delete;

 private:
  class Listener;

  std::unique_ptr<Listener> m_listener;
};
