#include "host/utility/colour_combo_box.h"

IMPLEMENT_DYNAMIC(CColourComboBox, CSmartComboBox)

bool CColourComboBox::HasStrings() const {
  const DWORD style = GetStyle();
  const bool ownerDrawn = (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  return !ownerDrawn || (style & CBS_HASSTRINGS) != 0;
}

int CColourComboBox::AddColour(COLORREF colour, const CString& name) {
  if (m_hWnd == nullptr) return CB_ERR;
  if (!HasStrings())
    return static_cast<int>(::SendMessage(m_hWnd, CB_ADDSTRING, 0, static_cast<LPARAM>(colour)));
  const int index = AddString(name);
  if (index >= 0) SetItemData(index, colour);
  return index;
}

int CColourComboBox::FindColour(COLORREF colour) const {
  if (m_hWnd == nullptr) return CB_ERR;
  for (int index = 0; index < GetCount(); ++index) {
    if (GetItemData(index) == colour) return index;
  }
  return CB_ERR;
}

COLORREF CColourComboBox::GetColour() const {
  if (m_hWnd == nullptr) return RGB(0, 0, 0);
  const int index = GetCurSel();
  if (index == CB_ERR) return RGB(0, 0, 0);
  return static_cast<COLORREF>(GetItemData(index));
}

bool CColourComboBox::SetColour(COLORREF colour) {
  int index = FindColour(colour);
  if (index == CB_ERR) index = AddColour(colour, HexName(colour));
  return index != CB_ERR && SetSelected(index);
}

CString CColourComboBox::HexName(COLORREF colour) {
  CString name;
  name.Format("#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return name;
}
