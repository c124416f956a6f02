// The user-input API for the main window's furniture: menus, tool bars, shortcuts,
// tabs, splitter bars, resizing and closing. Commands reach the frame as WM_COMMAND
// with code 0, as a menu choice does; each sequence checks that the window is still
// there after a handler ran.
#include <algorithm>

#include "platform/control_classes.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/mdi_tab_bar.h"
#include "platform/property_sheet.h"
#include "platform/splitter_wnd.h"
#include "platform/status_bar.h"
#include "platform/tab_control.h"
#include "platform/tool_bar.h"
#include "platform/user_input.h"

namespace {

// A user reaches only a window that exists, is shown and is enabled, as is every window
// around it.
bool Reachable(const CWnd* wnd) {
  if (wnd == nullptr || !IsWindowHandle(wnd->GetSafeHwnd()) || !wnd->IsWindowVisible()) return false;
  for (HWND hwnd = wnd->GetSafeHwnd(); hwnd != nullptr; hwnd = hwnd->parent) {
    if ((hwnd->style & WS_DISABLED) != 0) return false;
  }
  return true;
}

void SendCommand(CWnd* frame, UINT id) {
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

bool IsCommandEnabled(CFrameWnd* frame, UINT id) {
  CCmdUI state(id);
  state.DoUpdate(frame, false);
  return state.IsEnabled();
}

CFrameWnd* ReachableFrame(CWnd* wnd) {
  auto* frame = DynamicDowncast<CFrameWnd>(wnd);
  return Reachable(frame) ? frame : nullptr;
}

bool ChooseMDIChild(CMDIFrameWnd& frame, HWND tabBar, int index) {
  const CMDITabBar* bar = frame.GetMDITabBar();
  if (bar == nullptr || bar->m_hWnd != tabBar) return false;
  const std::vector<CMDIChildWnd*> children = frame.GetMDIChildren();
  if (index >= static_cast<int>(children.size())) return false;
  frame.MDIActivate(children[static_cast<size_t>(index)]);
  return true;
}

// Sets the size of one row (or column) of a splitter; the next one gives or takes the
// difference unless it is the last, which takes what is left anyway.
bool DragBar(CWnd* wnd, bool rows, int index, int size) {
  auto* splitter = DynamicDowncast<CSplitterWnd>(wnd);
  if (!Reachable(splitter) || size < 0) return false;
  const int count = rows ? splitter->GetRowCount() : splitter->GetColumnCount();
  if (index < 0 || index + 1 >= count) return false;
  const auto info = [&](int track, int& current, int& min) {
    rows ? splitter->GetRowInfo(track, current, min) : splitter->GetColumnInfo(track, current, min);
  };
  const auto set = [&](int track, int ideal, int min) {
    rows ? splitter->SetRowInfo(track, ideal, min) : splitter->SetColumnInfo(track, ideal, min);
  };
  int current = 0;
  int min = 0;
  int nextCurrent = 0;
  int nextMin = 0;
  info(index, current, min);
  info(index + 1, nextCurrent, nextMin);
  set(index, size, min);
  if (index + 2 < count) set(index + 1, std::max(current + nextCurrent - size, 0), nextMin);
  splitter->RecalcLayout();
  return true;
}

}  // namespace

bool UserInput::OpenMenu(CWnd* frame, int position) {
  CFrameWnd* target = ReachableFrame(frame);
  CMenu* popup =
      target != nullptr && target->GetMenu() != nullptr ? target->GetMenu()->GetSubMenu(position) : nullptr;
  if (popup == nullptr) return false;
  target->OnInitMenuPopup(popup);
  return true;
}

bool UserInput::ChooseMenuItem(CWnd* frame, UINT id) {
  CFrameWnd* target = ReachableFrame(frame);
  if (target == nullptr || target->GetMenu() == nullptr) return false;
  const HWND hwnd = target->m_hWnd;
  const int position = target->GetMenu()->FindPopupHolding(id);
  if (position >= 0 && !OpenMenu(target, position)) return false;
  if (!IsWindowHandle(hwnd) || target->GetMenu() == nullptr) return false;
  const MenuEntry* item = target->GetMenu()->FindCommand(id);
  if (item == nullptr || !item->enabled) return false;
  SendCommand(target, id);
  return true;
}

bool UserInput::ClickToolBarButton(CWnd* toolBar, UINT id) {
  auto* bar = DynamicDowncast<CToolBar>(toolBar);
  if (!Reachable(bar) || bar->CommandToIndex(id) < 0) return false;
  CFrameWnd* frame = bar->GetParentFrame();
  if (frame == nullptr) return false;
  const HWND hwnd = bar->m_hWnd;
  bar->OnUpdateCmdUI(frame, TRUE);
  if (!IsWindowHandle(hwnd)) return false;
  const ToolBarButton* button = bar->GetButton(bar->CommandToIndex(id));
  if (button == nullptr || !button->enabled || button->style == TBBS_COMBOBOX) return false;
  SendCommand(frame, id);
  return true;
}

bool UserInput::ClickStatusBarPane(CWnd* statusBar, int index) {
  auto* bar = DynamicDowncast<CStatusBar>(statusBar);
  if (!Reachable(bar) || index < 0 || index >= bar->GetCount()) return false;
  const UINT id = bar->GetItemID(index);
  CFrameWnd* frame = bar->GetParentFrame();
  if (id == ID_SEPARATOR || frame == nullptr) return false;
  SendCommand(frame, id);
  return true;
}

bool UserInput::ChooseToolBarItem(CWnd* toolBar, UINT id, const CString& item) {
  auto* bar = DynamicDowncast<CToolBar>(toolBar);
  if (!Reachable(bar) || bar->CommandToIndex(id) < 0) return false;
  CFrameWnd* frame = bar->GetParentFrame();
  if (frame == nullptr) return false;
  const HWND hwnd = bar->m_hWnd;
  bar->OnUpdateCmdUI(frame, TRUE);
  if (!IsWindowHandle(hwnd)) return false;
  const ToolBarButton* button = bar->GetButton(bar->CommandToIndex(id));
  if (button == nullptr || !button->enabled || button->style != TBBS_COMBOBOX) return false;
  const std::vector<CString>& items = button->items;
  if (std::find(items.begin(), items.end(), item) == items.end()) return false;
  bar->SetComboText(id, item);
  SendCommand(frame, id);
  return true;
}

bool UserInput::PressAccelerator(CWnd* frame, UINT key, UINT modifiers) {
  CFrameWnd* target = ReachableFrame(frame);
  const UINT id = target != nullptr ? target->FindAcceleratorCommand(key, modifiers) : 0;
  if (id == 0 || !IsCommandEnabled(target, id)) return false;
  SendCommand(target, id);
  return true;
}

bool UserInput::ChooseTab(CWnd* tabControl, int index) {
  if (!Reachable(tabControl) || !IsWindowOfClass(tabControl->m_hWnd, kClassTabControl)) return false;
  const TabControlData* data = GetTabControlData(tabControl->m_hWnd);
  if (index < 0 || index >= static_cast<int>(data->tabs.size())) return false;
  if (index == data->current) return true;
  CWnd* parent = tabControl->GetParent();
  if (auto* sheet = DynamicDowncast<CPropertySheet>(parent)) return sheet->SetActivePage(index) != FALSE;
  auto* frame = DynamicDowncast<CMDIFrameWnd>(parent);
  return frame != nullptr && ChooseMDIChild(*frame, tabControl->m_hWnd, index);
}

bool UserInput::DragSplitterRow(CWnd* splitter, int row, int height) {
  return DragBar(splitter, true, row, height);
}

bool UserInput::DragSplitterColumn(CWnd* splitter, int col, int width) {
  return DragBar(splitter, false, col, width);
}

bool UserInput::ResizeWindow(CWnd* window, int width, int height) {
  const HWND hwnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
  if (!IsWindowHandle(hwnd) || hwnd->parent != nullptr || width < 0 || height < 0) return false;
  if (hwnd->rect.Width() != width || hwnd->rect.Height() != height)
    window->MoveWindow(hwnd->rect.left, hwnd->rect.top, width, height);
  return true;
}

bool UserInput::CloseWindow(CWnd* window) {
  const HWND hwnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
  if (!IsWindowHandle(hwnd)) return false;
  if (hwnd->parent != nullptr && DynamicDowncast<CMDIChildWnd>(window) == nullptr) return false;
  window->SendMessage(WM_CLOSE);
  return true;
}
