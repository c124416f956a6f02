// CSymbolView: the common base of the two drawings of the symbols frame. It is a view
// of the design the component frame edits, so every UpdateAllViews on that design
// reaches it, but it draws a private design of its own: a copy of the frame's current
// component, placed once. It rebuilds that copy when the component as a whole changes,
// patches it for single pin-number and terminal-name changes, highlights the
// counterparts of what is picked in the other drawing, and hands mouse, key and
// command input to the interaction modes through its director.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "editor/frame/assign_pins_mode.h"
#include "editor/frame/component_select_mode.h"
#include "editor/views/update_hints.h"
#include "editor/views/view_pad_index.h"
#include "host/drawing/design_drawing.h"
#include "host/interaction/director.h"

class CComponent;
class CComponentFrame;
class CComponentInstance;
class CDesign;
class CDesignItem;
class CPadInstance;
class CSymbolInstance;

// The symbol that EditSelectedSymbolInLibrary found: its name and library file.
struct SelectedLibrarySymbol {
  CString symbolName;
  CString libraryFile;
};

class CSymbolView : public CDesignDrawing {
  DECLARE_DYNCREATE(CSymbolView)

 public:
  ~CSymbolView() override;

  // Takes the private design, draws it and lets it allocate styles.
  void SetDesign(std::unique_ptr<CDesign> design);
  // The private design; null until SetDesign.
  CDesign* GetViewDesign() const { return m_design.get(); }
  CDirector* GetDirector() const { return m_director.get(); }
  CAssignPinsMode& GetAssignPinsMode() { return m_assignPins; }
  CComponentSelectMode& GetSelectMode() { return m_select; }
  // The component frame the view lives in; null outside one.
  CComponentFrame* GetFrame() const;

  // UpdateAllViews on the view's document (the frame's design).
  void UpdateViews(CView* sender, long hint, CObject* hintObject);

  void StartAssignPins();
  void StartSelectMode();
  // Forwarders to the assign-pins mode while a pair of pins is being assigned.
  void ClearAssignPick();
  void RestoreAssignPick();

  // The first selected item of the private design; null when nothing is selected.
  CDesignItem* GetSelectedItem() const;
  bool HasSelection() const { return GetSelectedItem() != nullptr; }
  // The symbol of the selected pad or symbol instance and its library file; empty
  // names when the selection is neither.
  SelectedLibrarySymbol EditSelectedSymbolInLibrary() const;
  // Opens the component frame's property sheet on `item`.
  void OnProperties(CDesignItem* item);

  // Drops every selection and highlight of the private design, redrawing what changed.
  void ClearHighlight();
  // Applies the registry colours (or the palette's) to the private design.
  void LoadColours();
  // Empties the private design and merges the technology file of its kind.
  void ResetDesign();
  // Makes the design area a square round the contents with a margin, centres the
  // contents in it and zooms to it.
  void FitDesign();

  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // What the derived views fill in; the base does nothing.
  // Rebuilds from the component a CComponentHint carries.
  virtual void RebuildFromHint(CObject* hintObject);
  virtual void UpdatePinName(const CPinNameHint* hint);
  virtual void UpdatePinNumber(const CPinNumberHint* hint);
  virtual void BuildDesign(CComponent* component);
  // A pad was picked in the other drawing: highlight its counterparts here.
  virtual void HighlightMatchingPads(CPadInstance* pad);
  // HighlightMatchingPads for every pad of the instance, in pad order.
  virtual void HighlightSymbolPads(CSymbolInstance* instance);
  // The grid moved to a terminal of a gate, or (gate kHighlightPcbPin) to a PCB pin.
  virtual void HighlightTerminal(int gate, int number);
  // An undo or a redo changed only these terminals' pins or names: the drawn copy takes
  // them from `component` and the items they touch are drawn again.
  virtual void TakeTerminalChanges(const CComponent& component, const std::vector<TerminalChange>& changes);

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CSymbolView();

  // The only component instance of the private design; null when nothing is placed.
  CComponentInstance* GetPlacedInstance() const;
  // Terminal names belong to a symbol: every gate of the drawn copy that the symbol
  // draws takes the hint's new name.
  void RenameTerminalInCopy(const CPinNameHint& hint);
  // Refreshes the frame's caption, as every rebuild ends.
  void RefreshFrameCaption();
  void MarkHighlighted(CPadInstance* pad);
  // The placed component's pads by pin and terminal: indexed at every build, and kept
  // right by every change of the copy's pins through SetPinInCopy.
  const ViewPadIndex& Pads() const { return m_pads; }
  void IndexPads() { m_pads.Build(GetPlacedInstance()); }
  // Sets a terminal's pin in the drawn copy and moves its pads in the index.
  void SetPinInCopy(int gate, int terminal, int pin);
  // Sets the changed pins and names of the drawn copy to the component's.
  void CopyTerminals(const CComponent& component, const std::vector<TerminalChange>& changes);
  // Draws the pads before and after `change`, as an edit draws what it changes; past a
  // few hundred pads the whole view is repainted once instead, which costs the screen
  // less than as many pieces.
  void RedrawAround(const std::vector<CPadInstance*>& pads, const std::function<void()>& change);

 private:
  void ApplyHint(LPARAM hint, CObject* hintObject);
  // Hints whose changes the view draws item by item, leaving the rest of the view as it is.
  static bool DrawsItemByItem(LPARAM hint);
  void HighlightPicked(CObject* item);
  void SendColoursChanged();
  // Clears a marked symbol's own marks and redraws it, pads and all.
  void ClearSymbolMarks(CSymbolInstance* instance);
  void MergeTechnology();
  // Sets the pins of the drawing's copy when they are all that changed; false otherwise.
  bool TakeChangedPins(const CComponent* component);
  // An undo or a redo that changed only pins or terminal names of the shown component:
  // marks go as after a rebuild, the changed items are drawn again, and the zoom and
  // scroll stay. False when the update asks for a rebuild.
  bool TakeUndoneChanges(CObject* hintObject);

  // Input routing.
  LRESULT OnLeftButtonDown(WPARAM flags, LPARAM point);
  LRESULT OnLeftButtonUp(WPARAM flags, LPARAM point);
  LRESULT OnLeftButtonDoubleClick(WPARAM flags, LPARAM point);
  LRESULT OnMiddleButtonDown(WPARAM flags, LPARAM point);
  LRESULT OnMiddleButtonUp(WPARAM flags, LPARAM point);
  LRESULT OnMouseMoved(WPARAM flags, LPARAM point);
  LRESULT OnContextMenuRequest(WPARAM window, LPARAM screenPoint);
  LRESULT OnCharacter(WPARAM ch, LPARAM repeatAndFlags);
  void OnDirectorCommand(UINT id);
  void OnPinAssignmentEnded();

  CAssignPinsMode m_assignPins;
  CComponentSelectMode m_select;
  std::unique_ptr<CDesign> m_design;
  std::unique_ptr<CDirector> m_director;
  std::unique_ptr<CHandleViewEvents> m_viewEvents;
  ViewPadIndex m_pads;
  bool m_inBaseInitialUpdate = false;
};
