// CSmartComboBox: a combo box that speaks in the texts it shows. The platform keeps
// the edit text apart from the list selection; these operations keep that rule.
#pragma once

#include "platform/combo_box.h"

class CSmartComboBox : public CComboBox {
  DECLARE_DYNAMIC(CSmartComboBox)

 public:
  CSmartComboBox() = default;

  // The text the combo shows: what was typed or chosen (for a drop-down list, the
  // selected entry's text, or empty).
  virtual CString GetText() const;
  // Shows text without touching the list selection. A drop-down list can show only its
  // entries: it selects the entry of that text (case ignored), and an empty text clears
  // the selection. False when the text cannot be shown or there is no window.
  bool SetText(const CString& text);
  // Selects an entry and shows its text; -1 clears both. False for any other index
  // outside the list.
  bool SetSelected(int index);
};
