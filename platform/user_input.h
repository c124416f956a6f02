// The user-input API: every action a user can take, changing the platform's state
// exactly as the user would and sending the same notifications. Tests call it to drive
// the editor; the screen backend calls the very same functions when a real user acts.
// Each action returns false, changing nothing, when a user could not take it (a
// disabled or hidden control, a read-only edit, an entry that is not in the list).
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CWnd;

class UserInput {
 public:
  // Buttons: a push button sends BN_CLICKED to its parent; a check box toggles first.
  bool Click(CWnd* button);
  bool SetCheck(CWnd* checkBox, bool checked);

  // Edits: focus, replace the whole text, EN_UPDATE and EN_CHANGE.
  bool TypeText(CWnd* edit, const CString& text);

  // Combo boxes: choosing an entry selects it, shows its text, then sends
  // CBN_SELCHANGE and CBN_SELENDOK; typing (not for drop-down lists) replaces the edit
  // text, clears the selection and sends CBN_EDITUPDATE and CBN_EDITCHANGE.
  bool ChooseComboEntry(CWnd* combo, const CString& text);
  bool ChooseComboIndex(CWnd* combo, int index);
  bool TypeComboText(CWnd* combo, const CString& text);

  // List boxes: select a line and send LBN_SELCHANGE (when the list notifies).
  bool SelectListLine(CWnd* list, int index);
  // A double click on a line: it is selected as above, then LBN_DBLCLK follows (when
  // the list notifies).
  bool DoubleClickListLine(CWnd* list, int index);

  // Focus moves to a control, as a click or a tab would.
  bool Focus(CWnd* control);

  // Grid control: move to a cell (selection change), start editing, type, end the edit.
  // Fixed cells cannot be reached; read-only and disabled cells cannot be edited.
  // EditGridCell moves, begins, types and ends; it stops at the first refusal.
  bool MoveToGridCell(CWnd* grid, long row, long col);
  // A shift+click or a drag to a cell: the selection runs from the current cell to it.
  bool ExtendGridSelection(CWnd* grid, long row, long col);
  bool EditGridCell(CWnd* grid, long row, long col, const CString& text);
  bool BeginGridEdit(CWnd* grid, long row, long col);
  bool TypeInGridEditor(CWnd* grid, const CString& text);
  bool EndGridEdit(CWnd* grid);
  // Drags a column border, when the grid lets the user resize columns.
  bool ResizeGridColumn(CWnd* grid, long col, int width);

  // Mouse and keys in a view, at a point in the view's client coordinates.
  bool LeftClick(CWnd* view, CPoint point, WPARAM keys = 0);
  bool LeftDoubleClick(CWnd* view, CPoint point);
  // The second press of a double click: WM_LBUTTONDBLCLK where a press sends
  // WM_LBUTTONDOWN (the release that follows is LeftUp).
  bool LeftDoubleDown(CWnd* view, CPoint point, WPARAM keys = 0);
  bool LeftDown(CWnd* view, CPoint point, WPARAM keys = 0);
  bool LeftUp(CWnd* view, CPoint point, WPARAM keys = 0);
  bool MiddleDown(CWnd* view, CPoint point);
  bool MiddleUp(CWnd* view, CPoint point);
  bool MoveMouse(CWnd* view, CPoint point, WPARAM keys = 0);
  bool Wheel(CWnd* view, CPoint point, int delta);
  bool TypeChar(CWnd* view, char ch);
  // Right click: WM_CONTEXTMENU at the point (converted to screen coordinates).
  bool OpenContextMenu(CWnd* view, CPoint point);

  // A menu, toolbar or accelerator command sent to a window (usually a frame).
  bool RunCommand(CWnd* target, UINT id);

  // The main window's furniture. Opening a popup of a frame's menu bar refreshes its
  // items through the update-command-UI route (CFrameWnd::OnInitMenuPopup).
  bool OpenMenu(CWnd* frame, int position);
  // Opens the popup holding the command, then chooses the command if it is enabled:
  // WM_COMMAND to the frame. False for a command the menu bar lacks or shows disabled.
  bool ChooseMenuItem(CWnd* frame, UINT id);
  // A tool bar button, refreshed as idle time does, sends its command to the bar's
  // frame when enabled.
  bool ClickToolBarButton(CWnd* toolBar, UINT id);
  // A click on a status bar's pane sends the pane's id to the bar's frame as a
  // command; false for the stretching message pane, which has none.
  bool ClickStatusBarPane(CWnd* statusBar, int index);
  // Chooses `item` in the tool bar's drop-down list `id`, refreshed as idle time does:
  // the list shows it and sends its command to the bar's frame. False when the list is
  // disabled or does not offer the item.
  bool ChooseToolBarItem(CWnd* toolBar, UINT id, const CString& item);
  // A key with modifiers (FCONTROL, FSHIFT, FALT) that the frame's shortcuts turn into
  // an enabled command sends it to the frame; false when they give none.
  bool PressAccelerator(CWnd* frame, UINT key, UINT modifiers);
  // A tab of a property sheet (its page becomes active unless the page left refuses)
  // or of an MDI tab bar (its child becomes the active one).
  bool ChooseTab(CWnd* tabControl, int index);
  // Drags the bar below a splitter's row (right of its column) so that the row gets
  // this height (the column this width); the next one gives or takes the difference.
  bool DragSplitterRow(CWnd* splitter, int row, int height);
  bool DragSplitterColumn(CWnd* splitter, int col, int width);
  // Resizes a top-level window (a frame) to this client size.
  bool ResizeWindow(CWnd* window, int width, int height);
  // The close box of a top-level window or an MDI child: WM_CLOSE, which the window
  // may refuse.
  bool CloseWindow(CWnd* window);
};
