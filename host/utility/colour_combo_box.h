// CColourComboBox: a combo whose entries are colours, each entry's item data being its
// COLORREF. An owner-drawn combo without strings keeps only the colours and a screen
// draws them as swatches; any other combo also shows each colour's name.
#pragma once

#include "host/utility/smart_combo_box.h"
#include "platform/types.h"

class CColourComboBox : public CSmartComboBox {
  DECLARE_DYNAMIC(CColourComboBox)

 public:
  CColourComboBox() = default;

  // Adds an entry for colour; name is shown where the combo shows texts. Returns its
  // index, or CB_ERR.
  int AddColour(COLORREF colour, const CString& name);
  // The index of the entry holding colour, or CB_ERR.
  int FindColour(COLORREF colour) const;

  // The selected entry's colour; black when nothing is selected.
  COLORREF GetColour() const;
  // Selects the entry of colour, adding one named by its hexadecimal "#RRGGBB" form
  // when the list has none. False when it could not be shown.
  bool SetColour(COLORREF colour);

  static CString HexName(COLORREF colour);

 private:
  bool HasStrings() const;
};
