// CAppComponentFrame: the application's component frame, derived from the editor
// module's CComponentFrame. It maps the application's commands to the frame's
// handlers, enables them from the frame's tests, keeps the editing shortcuts (which
// the pin grid drops while a cell is being edited) and names the component in its
// caption. File commands go to the application, which owns the designs.
#pragma once

#include "editor/frame/component_frame.h"
#include "platform/accelerator_table.h"

class CAppComponentFrame : public CComponentFrame {
  DECLARE_DYNCREATE(CAppComponentFrame)

 public:
  // The shortcuts of a component frame: undo, redo, delete and the view keys.
  static CAcceleratorTable EditingShortcuts();

  void DestroyAccelerators() override;
  void RestoreAccelerators() override;
  // "COMPONENT - library.cmplib", from the current component and the design's file;
  // "*COMPONENT - library.cmplib" while the design has unsaved changes.
  CString ComponentCaption();
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // A double click on an item of a drawing opens the property sheet on it.
  BOOL PreTranslateMessage(MSG* msg) override;

  // True from Assign Pins until the main window hears that the run ended.
  bool IsAssigningPins() const { return m_assigning; }
  // The main window heard command 32814: the run is over, so Select Mode shows again
  // and the drawings go back to selecting; a pair clicked after the run's undo step
  // closed would otherwise change the pin map outside any undo step.
  void OnAssignmentRunEnded();
  // Ends an assignment run as the select mode does: the run's undo step closes, so its
  // pins count as a change, and the drawings go back to selecting, so that no later
  // click changes the component outside an undo step.
  void EndAssignmentRun();
  // Ends an in-cell edit as the user would and writes the grid's pending edits into
  // the component; false, with the last error recorded, when a cell cannot be written.
  bool WriteBackEdits();
  // Writes back the grid's pending edits and runs the design check as the settings
  // ask; false, after telling the user why, when the component should not be saved.
  bool ReadyToSave();

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CAppComponentFrame() = default;
  int OnCreate(LPCREATESTRUCT cs) override;
  // An assignment run is one for the whole editor: leaving its tab ends it, so that the
  // next tab can open a run of its own. That holds also for a run whose drawings went
  // back to selecting by themselves (Cancel, Escape): its undo level is still open.
  void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) override;
  void EditSymbolInLibrary(const SelectedLibrarySymbol& symbol, bool pcbSymbol) override;

 private:
  // File
  void OnSave();
  void OnSaveAs();
  void OnCloseCommand();
  LRESULT OnCloseMessage(WPARAM, LPARAM);
  // Edit
  void OnUndo();
  void OnRedo();
  void OnUpdateUndo(CCmdUI* state);
  void OnUpdateRedo(CCmdUI* state);
  void OnUpdateDeleteSelection(CCmdUI* state);
  void OnPropertiesCommand();
  void OnValuesCommand();
  // Component
  void OnSelectModeCommand();
  void OnAssignPinsCommand();
  void OnUpdateSelectMode(CCmdUI* state);
  void OnUpdateAssignPins(CCmdUI* state);
  void OnPackageChosen();
  void OnAssignPins121Command();
  void OnUpdateAssignPins121(CCmdUI* state);
  void OnCheckValidity();
  // Pin maps in and out, the grid's clipboard, assignment by name, the list of the
  // grid's problems and fill series (app_component_frame_pin_map.cpp).
  void OnImportPinMap();
  void OnExportPinMap();
  void OnCopyCells();
  void OnPasteCells();
  void OnAssignByName();
  void OnShowProblems();
  void OnFillSeries();
  // View
  void OnZoomIn();
  void OnZoomOut();
  void OnZoomExtents();
  void OnRefresh();
  void OnPan();

  bool m_assigning = false;
  bool m_shortcutsDropped = false;
  bool m_updatingTitle = false;
};
