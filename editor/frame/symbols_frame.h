// CSymbolsFrame: the lower pane of the component frame, the schematic drawing of the
// gates on the left and the PCB drawing of the package on the right. The component
// frame reaches the views only through it: it starts the interaction modes in both,
// forwards view commands to the view under the cursor, finds the selected item and
// carries out the Delete command with its Yes/No prompts.
#pragma once

#include <vector>

#include "platform/frame_wnd.h"
#include "platform/splitter_wnd.h"

class CComponent;
class CComponentFrame;
class CDesignDrawing;
class CDesignItem;
class CObject;
class CPadInstance;
class CPcbSymbolView;
class CScmSymbolView;
class CSymbolInstance;
class CSymbolView;
struct SelectedLibrarySymbol;

class CSymbolsFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CSymbolsFrame)

 public:
  CSymbolsFrame() = default;

  CScmSymbolView* GetScmView() const;
  CPcbSymbolView* GetPcbView() const;
  const CSplitterWnd& GetSplitter() const { return m_wndSplitter; }

  // UpdateAllViews on the design: the grid and both views hear it.
  void UpdateViews(int hint, CObject* object);
  // Both views, schematic first.
  void StartSelectMode();
  void StartAssignPins();
  // The schematic view's selected item, else the PCB view's, else null.
  CDesignItem* GetSelectedItem() const;
  // True for an item of the PCB view's design, false for the schematic view's.
  static bool IsPcbSideItem(const CDesignItem* item);
  void ShowSplitter();

  // View commands: act on whichever view the mouse cursor is over, schematic first.
  void OnZoomAtCursor();
  void OnUnzoomAtCursor();
  void OnViewExtents();
  void OnRefreshView();
  void OnViewPan();

  // Edit the selected symbol in its library: the view resolves the symbol's name and
  // library file. Enabled when that view has a selection.
  SelectedLibrarySymbol EditScmSymbolInLib();
  SelectedLibrarySymbol EditPcbSymInLibrary();
  bool CanEditScmSymbolInLib() const;
  bool CanEditPcbSymInLibrary() const;

  // The Delete command on the selected item: a PCB pad or symbol removes pin
  // assignments, a schematic pad unassigns its terminal, a schematic symbol deletes
  // its gate; each after a Yes/No question.
  void DeleteSelection();
  // Asks, then deletes the instance's gate from every package of the component.
  void DeleteGate(CSymbolInstance* instance);
  // Unassigns `pin` from every terminal of the current component that carries it.
  void RemovePinAssignments(int pin);

  // The two halves of a pin assignment by clicking (symbols_frame_assign.cpp): the
  // pad picked first, then its partner in the other view.
  void BeginPinAssignment(CDesignItem* item);
  void CompletePinAssignment(CDesignItem* item);
  // Gives the schematic pad's terminal the PCB pad's pin number and tells the views.
  void AssignPin(CPadInstance* scmPad, CPadInstance* pcbPad);
  // `view` is about to empty its drawing: a first pick drawn there is forgotten.
  void ForgetFirstPick(const CDesignDrawing* view);

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

 private:
  CComponentFrame* GetFrame() const;
  CComponent* GetCurrentComponent() const;
  // The views under the mouse cursor, schematic first.
  std::vector<CSymbolView*> ViewsUnderCursor() const;
  std::vector<CSymbolView*> Views() const;

  void DeletePadAssignment(CPadInstance* pad, bool pcbSide);
  void DeleteSymbolInstance(CSymbolInstance* instance, bool pcbSide);

  CSplitterWnd m_wndSplitter;
  // The pad picked first in a click-by-click pin assignment, and the view it is in.
  CDesignItem* m_pFirstPick = nullptr;               // not owned
  const CDesignDrawing* m_pFirstPickView = nullptr;  // not owned
};
