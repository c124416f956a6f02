#include "platform/tool_bar.h"

#include <memory>

#include "platform/backend.h"
#include "platform/frame_wnd.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {
std::unique_ptr<CWnd> MakeToolBarWrapper() {
  return std::make_unique<CToolBar>();
}

void RegisterToolBarClass() {
  static const bool registered = [] {
    RegisterWindowClass(kClassToolBar, nullptr, &MakeToolBarWrapper);
    return true;
  }();
  (void)registered;
}
}  // namespace

ToolBarData* GetToolBarData(HWND hwnd) {
  if (hwnd == nullptr || hwnd->className != kClassToolBar) return nullptr;
  if (hwnd->data == nullptr) hwnd->data = std::make_unique<ToolBarData>();
  return hwnd->Data<ToolBarData>();
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  RegisterToolBarClass();
  return CreateBar(kClassToolBar, parent, style, id);
}

ToolBarData* CToolBar::Data() const {
  return GetToolBarData(m_hWnd);
}

BOOL CToolBar::AddButton(UINT id, const char* image, const char* label, const char* toolTip, UINT style) {
  ToolBarData* data = Data();
  const CString imageName = image;
  const CString text = label;
  if (data == nullptr || id == 0 || (imageName.IsEmpty() && text.IsEmpty())) return FALSE;
  ToolBarButton button;
  button.id = id;
  button.style = style & TBBS_CHECKBOX;
  button.image = imageName;
  button.label = text;
  button.toolTip = toolTip;
  data->buttons.push_back(button);
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

BOOL CToolBar::AddSeparator() {
  ToolBarData* data = Data();
  if (data == nullptr) return FALSE;
  ToolBarButton separator;
  separator.style = TBBS_SEPARATOR;
  data->buttons.push_back(separator);
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

BOOL CToolBar::AddComboBox(UINT id, int width, const char* toolTip) {
  ToolBarData* data = Data();
  if (data == nullptr || id == 0) return FALSE;
  ToolBarButton combo;
  combo.id = id;
  combo.style = TBBS_COMBOBOX;
  combo.toolTip = toolTip;
  combo.width = width;
  data->buttons.push_back(combo);
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

ToolBarButton* CToolBar::FindCombo(UINT id) const {
  ToolBarData* data = Data();
  if (data == nullptr || id == 0) return nullptr;
  for (ToolBarButton& button : data->buttons) {
    if (button.id == id && button.style == TBBS_COMBOBOX) return &button;
  }
  return nullptr;
}

BOOL CToolBar::SetComboItems(UINT id, const std::vector<CString>& items) {
  ToolBarButton* combo = FindCombo(id);
  if (combo == nullptr) return FALSE;
  if (combo->items == items) return TRUE;
  combo->items = items;
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

BOOL CToolBar::SetComboText(UINT id, const CString& text) {
  ToolBarButton* combo = FindCombo(id);
  if (combo == nullptr) return FALSE;
  if (combo->text == text) return TRUE;
  combo->text = text;
  NotifyPeer(m_hWnd, WindowChange::Content);
  return TRUE;
}

std::vector<CString> CToolBar::GetComboItems(UINT id) const {
  const ToolBarButton* combo = FindCombo(id);
  return combo != nullptr ? combo->items : std::vector<CString>{};
}

CString CToolBar::GetComboText(UINT id) const {
  const ToolBarButton* combo = FindCombo(id);
  return combo != nullptr ? combo->text : CString();
}

int CToolBar::GetCount() const {
  const ToolBarData* data = Data();
  return data != nullptr ? static_cast<int>(data->buttons.size()) : 0;
}

int CToolBar::CommandToIndex(UINT id) const {
  for (int index = 0; index < GetCount(); ++index) {
    if (GetItemID(index) == id && id != 0) return index;
  }
  return -1;
}

UINT CToolBar::GetItemID(int index) const {
  const ToolBarButton* button = GetButton(index);
  return button != nullptr ? button->id : 0;
}

const ToolBarButton* CToolBar::GetButton(int index) const {
  const ToolBarData* data = Data();
  if (data == nullptr || index < 0 || index >= static_cast<int>(data->buttons.size())) return nullptr;
  return &data->buttons[static_cast<size_t>(index)];
}

UINT CToolBar::GetButtonStyle(int index) const {
  const ToolBarButton* button = GetButton(index);
  return button != nullptr ? button->style : 0;
}

int CToolBar::CalcFixedHeight() const {
  const ToolBarData* data = Data();
  return (data != nullptr ? data->buttonSize.cy : 0) + 2 * kBorder;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  ToolBarData* data = Data();
  if (data == nullptr || target == nullptr) return;
  bool changed = false;
  for (size_t i = 0; i < data->buttons.size(); ++i) {
    const UINT id = data->buttons[i].id;
    if (id == 0) continue;
    CCmdUI state(id);
    state.DoUpdate(target, disableIfNoHandler != FALSE);
    // A handler may have destroyed the bar or changed its buttons meanwhile.
    data = Data();
    if (data == nullptr || i >= data->buttons.size() || data->buttons[i].id != id) return;
    ToolBarButton& button = data->buttons[i];
    const bool enabled = state.WasEnableSet() ? state.IsEnabled() : button.enabled;
    const bool checked = state.WasHandled() ? state.GetCheck() != 0 : button.checked;
    changed = changed || button.enabled != enabled || button.checked != checked;
    button.enabled = enabled;
    button.checked = checked;
  }
  if (changed) NotifyPeer(m_hWnd, WindowChange::Content);
}
