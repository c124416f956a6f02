#include "host/utility/combo_entries.h"

int AddComboEntry(CComboBox& combo, const char* text, DWORD_PTR data) {
  if (combo.m_hWnd == nullptr) return CB_ERR;
  const int index = combo.AddString(text);
  if (index < 0) return CB_ERR;
  combo.SetItemData(index, data);
  return index;
}

int SelectComboEntry(CComboBox& combo, DWORD_PTR data) {
  if (combo.m_hWnd == nullptr) return CB_ERR;
  for (int index = 0; index < combo.GetCount(); ++index) {
    if (combo.GetItemData(index) == data) return combo.SetCurSel(index);
  }
  return CB_ERR;
}
