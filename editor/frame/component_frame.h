// CComponentFrame: the document frame in which the host edits one library component.
// The host derives its own frame from it, maps its menu and toolbar commands to the
// handlers and creates it by dynamic creation on a CDesign. The client area is split
// into the pin grid on top (a CDummyGrid when the grid is off or cannot be made) and
// the symbols frame below.
//
// The current component is the package record the grid and the views show; it is the
// design's first record until a package command chooses another.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/splitter_wnd.h"
#include "platform/view.h"

class CCmdUI;
class CComponent;
class CComponentFrame;
class CComponentGrid;
class CPinMapChecks;
struct CCreateContext;
class CDesign;
class CDesignItem;
class CSymbolsFrame;
struct SelectedLibrarySymbol;
struct FillSeries;
struct GridRange;
struct PinMapPlacement;
struct PinMapTable;
struct PinNameMatch;

// The grid setting, "Enabled" under "ComponentEditor\Grid": true when absent.
bool GetComponentEditGrid();
void SetComponentEditGrid(bool enabled);

// The component frame that `wnd` lives in: walks up through owners (or parents where
// there is no owner) to the first CComponentFrame; null when there is none.
CComponentFrame* GetComponentFrame(const CWnd* wnd);

// Holds the upper pane when there is no pin grid, so the layout stays the same.
class CDummyGrid : public CView {
  DECLARE_DYNCREATE(CDummyGrid)

 public:
  void OnDraw(CDC* dc) override;

 protected:
  CDummyGrid() = default;
};

class CComponentFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CComponentFrame)

 public:
  ~CComponentFrame() override;

  // The number of the registered message "Invalidate.Frame"; 0 until the module is
  // loaded. Any window may send or post it to have the editor redrawn from the design.
  static UINT GetInvalidateFrameMessage() { return s_invalidateFrameMessage; }
  static void SetInvalidateFrameMessage(UINT message) { s_invalidateFrameMessage = message; }

  // The design the frame was created on.
  CDesign* GetDesign();
  // The current component, chosen lazily (the design's first record) unless `reload`
  // is false and one is chosen already; `reload` makes the first record current again.
  // Null when the design has no component.
  CComponent* GetComponent(bool reload);
  // Null while the upper pane is a CDummyGrid.
  CComponentGrid* GetGrid() const;
  CSymbolsFrame* GetSymbolsFrame() const;
  // Keeps the "[PackageName]" design attribute on the current package and titles the
  // design by its file's name and extension.
  void SetCaption();

  // Each symbol view calls this from its initial update: shows both splitters.
  void OnViewInitialUpdate();
  // Rebuilds the grid and both views from the current component.
  void OnInvalidateView();
  LRESULT OnInvalidateFrameMessage(WPARAM, LPARAM);
  // True when either symbol view has a selected item.
  bool AnythingSelected();

  // Undo levels on the design, named by string-table ids.
  void StartUndoLevel(UINT id);
  void EndUndoLevel(UINT id);
  // Writes the grid's pending cell edits into the current component; false, with the
  // last error recorded, when a cell holds a value that cannot be written.
  bool UpdateDesign();

  // The pin grid calls these when an in-cell edit starts and stops, so that a host
  // whose accelerators would steal the editor's keys can drop and restore them.
  virtual void DestroyAccelerators();
  virtual void RestoreAccelerators();

  // The property sheet on the current component and `item` (may be null), after the
  // grid's pending edits are written back, as one undo step "Properties". On OK the
  // caption follows a renamed package; the pages refresh the views themselves.
  void OnProperties(CDesignItem* item);
  // The property sheet on the item selected in either drawing, or on none.
  void OnProperties();

  // The frame's commands that change the component or its presentation. Each that
  // changes the component is one undo step, opened and closed on OK and Cancel alike;
  // the dialogs run with no parent window.
  //
  // Gates (component_frame_gates.cpp): adds gates at the first gap in the gate
  // indices; the chosen library and symbol stay the defaults for the life of the frame.
  void OnAddGate();
  // Packages (component_frame_packages.cpp): each writes the grid back first. Add
  // and Select make the chosen package current, Delete the first remaining one.
  void OnAddPackage();
  void OnDeletePackage();
  void OnSelectPackage();
  // Makes the design's package record named `package` (ignoring case) current, as one
  // undo step "Select Package", without a dialog: for a host that shows the packages
  // in a list of its own. False, with nothing changed, when no record has that name or
  // the grid's pending edits cannot be written.
  bool SelectPackage(const CString& package);
  // The selection's Delete, its prompts and all, as one undo step "Delete", opened
  // even when nothing is selected (component_frame_commands.cpp).
  void OnDelete();
  // The design library's value editing on the current component; it keeps its own
  // undo.
  void OnValues();
  // The display colours dialog (component_frame_display.cpp); leaves an assign-pins
  // run open.
  void OnDisplay();
  // Edit the selected symbol in its library: the view resolves its name and library
  // file, and the host's EditSymbolInLibrary decides what to open.
  void OnEditScmSymbolInLib();
  void OnEditPcbSymInLibrary();
  void OnUpdateEditScmSymbolInLib(CCmdUI* cmdUI);
  void OnUpdateEditPcbSymInLibrary(CCmdUI* cmdUI);
  // View commands, on the view under the mouse cursor.
  void OnZoomAtCursor();
  void OnUnzoomAtCursor();
  void OnViewExtents();
  void OnRefreshView();
  void OnViewPan();

  // Pin assignment (component_frame_assign.cpp). A run of assignments by clicking
  // forms one undo step: OnAssignPins opens it and starts the assign-pins mode in both
  // views; OnSelectMode, like every command that changes the component, closes it.
  void OnSelectMode();
  void OnAssignPins();
  // Whether "Assign Pins 1-1" can run: a component with gates and a PCB symbol.
  bool CanDoAssignPins121();
  // Numbers the terminals of all gates consecutively with the pads of the package.
  void AssignPins121();

  // Pin maps in and out, the grid's clipboard and series, and assignment by name
  // (component_frame_pin_map.cpp). Each first writes the grid's pending edits back; a
  // refused write-back is reported and the command does nothing. Each change is one
  // undo step and rebuilds the grid and the drawings; the grid's current cell stays.
  //
  // The pin map of every package of the design, as comma- or tab-separated text.
  bool ExportPinMap(bool tabs, std::string& text);
  // Reads a pin map text for an import and checks that the design has its packages.
  // False, with the message recorded, when the text or a package column is refused.
  bool ReadPinMapForImport(std::string_view text, const CString& source, PinMapTable& table);
  // Places a table read above on the design's package records as one undo step
  // "Import Pin Map": its pins, and matched by number, the names its rows give. Rows
  // that fit no terminal, pins beyond a footprint and refused names are only listed in
  // `placement`.
  bool ImportPinMap(const PinMapTable& table, const CString& source, bool byName, PinMapPlacement& placement);
  // Both of the above.
  bool ImportPinMap(std::string_view text, const CString& source, bool byName, PinMapPlacement& placement);
  // The grid's cells over `range` as tab-separated text; empty without a grid.
  CString CopyGridCells(const GridRange& range);
  // Pastes tab-separated text with its first value at the top-left cell of the grid's
  // selection, as one undo step "Paste"; every cell that could take nothing is listed
  // in `refused`.
  void PasteGridCells(std::string_view text, std::vector<CString>& refused);
  // Fills `rows` cells of a gate column, from the top-left cell of the grid's selection
  // down, with the series, as one undo step "Fill Series". Cells outside the gate's rows
  // take no value; ball names the footprint has no pad for are listed in `refused`.
  void FillPinSeries(int rows, const FillSeries& series, std::vector<CString>& refused);
  // The terminals of the current component that would get the pin of the footprint
  // pad named as they are (ignoring case), with their pins now and then.
  std::vector<PinNameMatch> PreviewAssignByName();
  // Makes the preview so as one undo step "Assign by Name"; how many pins changed.
  int AssignByName();
  // The live checks of the grid's cells; null without a grid.
  CPinMapChecks* GetPinMapChecks() const { return m_checks.get(); }
  // Makes a grid cell current, shown and highlighted in the drawings, as a click on it
  // would; false without a grid or when the user cannot reach the cell.
  bool GoToGridCell(long row, long column);

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CComponentFrame();

  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

  // Closes the assignment run this frame opened (and tells the main window) and ends
  // an in-cell grid edit. The frame's commands call it first; a host's own commands
  // may too. A run another frame opened stays open: it is that frame's to close.
  void StopAssignPins();
  // True while the "Assign Pins" undo level this frame opened on its design is open.
  bool HasOpenAssignmentRun() const { return m_bAssignRunOpen; }

  // A frame that goes in the middle of its run closes the run first.
  void OnDestroy() override;

  // What the edit-in-library commands open is the host's: the frame resolves the
  // symbol (an empty name when nothing is selected) and hands it over here. The
  // module alone has no symbol editor, so by default nothing opens.
  virtual void EditSymbolInLibrary(const SelectedLibrarySymbol& symbol, bool pcbSymbol);

  // Runs the design's validity check. With `explicitCheck` it always runs and an
  // invalid design's report is shown; without it, it runs only when the "CheckValid"
  // setting is on, and the user may go on with an invalid design. True when the design
  // is valid, the check was skipped, or the user chose to go on.
  bool IsDesignValid(bool explicitCheck);

 private:
  // The design that owns the current component; null without one.
  CDesign* GetDocument();

  // Pane (0,0): the pin grid when the setting allows and the grid control can be
  // made, else the dummy grid. False when not even the dummy grid could be made.
  bool CreateGridPane(CCreateContext* context, const CSize& gridSize);
  // StopAssignPins and UpdateDesign for a command that works at the grid's current
  // cell, which the write-back would move; a refused write-back is reported (false).
  bool WriteBackKeepingCurrentCell();
  // The grid's current cell and the other corner of its selection, which a rebuild of
  // the grid would lose.
  struct GridPlace {
    long row = 0;
    long column = 0;
    long extentRow = 0;
    long extentColumn = 0;
  };
  GridPlace CurrentGridPlace();
  void RestoreGridPlace(const GridPlace& place);
  // Joins the live checks to the design after the panes, so that they hear every hint
  // after the grid has shown it; only when there is a grid.
  void AttachPinMapChecks(CCreateContext* context);
  // Hint 0 to every pane after a pin map command; the grid's current cell and its
  // selection stay.
  void RefreshAfterPinMapChange();
  // Closes the run's undo level on this frame's design, when this frame opened it.
  void CloseAssignmentRun();

  static UINT s_invalidateFrameMessage;

  bool m_bGrid = false;
  CSplitterWnd m_wndSplitter;
  CComponent* m_pComponent = nullptr;  // not owned: belongs to the design
  // The library and symbol of the last gate added in this frame.
  CString m_strGateLibrary;
  CString m_strGateSymbol;
  // The assigning flag is one for the whole module, but the run's undo level is open
  // on the design of the frame that opened it: only that frame may close it.
  bool m_bAssignRunOpen = false;
  std::unique_ptr<CPinMapChecks> m_checks;
};
