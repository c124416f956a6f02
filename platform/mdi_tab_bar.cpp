#include "platform/mdi_tab_bar.h"

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/tab_control.h"

IMPLEMENT_DYNAMIC(CMDITabBar, CControlBar)

BOOL CMDITabBar::Create(CMDIFrameWnd* frame, DWORD style, UINT id) {
  RegisterControlClasses();
  return CreateBar(kClassTabControl, frame, style, id);
}

void CMDITabBar::ShowChildren(const CMDIFrameWnd& frame, const CMDIChildWnd* leaving) {
  TabControlData* data = GetTabControlData(m_hWnd);
  if (data == nullptr) return;
  std::vector<CString> tabs;
  int current = -1;
  for (CMDIChildWnd* child : frame.GetMDIChildren()) {
    if (child == leaving) continue;
    if (child == frame.MDIGetActive()) current = static_cast<int>(tabs.size());
    tabs.push_back(child->GetWindowText());
  }
  if (tabs == data->tabs && current == data->current) return;
  data->tabs = std::move(tabs);
  data->current = current;
  NotifyPeer(m_hWnd, WindowChange::Content);
}

int CMDITabBar::GetTabCount() const {
  const TabControlData* data = GetTabControlData(m_hWnd);
  return data != nullptr ? static_cast<int>(data->tabs.size()) : 0;
}

CString CMDITabBar::GetTabText(int index) const {
  const TabControlData* data = GetTabControlData(m_hWnd);
  if (data == nullptr || index < 0 || index >= static_cast<int>(data->tabs.size())) return CString();
  return data->tabs[static_cast<size_t>(index)];
}

int CMDITabBar::GetCurrentTab() const {
  const TabControlData* data = GetTabControlData(m_hWnd);
  return data != nullptr ? data->current : -1;
}

int CMDITabBar::CalcFixedHeight() const {
  return kHeight;
}
