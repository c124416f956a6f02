// CStoredSmartComboBox: a combo whose list offers the entries of a stock text file.
//
// The file holds one entry per line. Blanks around an entry are dropped, blank lines
// are skipped, and an entry already listed (case ignored, as the combo's own searches
// ignore it) is listed once, in its first spelling. Lines may end in LF, CRLF or CR, and a
// UTF-8 byte-order mark at the start is skipped. The file is only read, never written.
#pragma once

#include <vector>

#include "host/utility/smart_combo_box.h"

class CStoredSmartComboBox : public CSmartComboBox {
  DECLARE_DYNAMIC(CStoredSmartComboBox)

 public:
  CStoredSmartComboBox() = default;

  // Replaces the list with the entries of file and shows text: the entry spelt exactly
  // so is selected, any other text is shown as typed. A file that does not exist gives
  // an empty list and is no error. False, with the reason recorded as the last error,
  // when the file exists but cannot be read (the list is then empty) or there is no
  // window.
  bool Fill(const CString& file, const CString& text);

  // The entries of a stock file by the rules above; empty for a missing file. False
  // when the file exists but cannot be read.
  static bool ReadEntries(const CString& file, std::vector<CString>& entries);

 private:
  void ShowInitialText(const CString& text);
};
