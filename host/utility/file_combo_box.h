// CFileComboBox: a combo that lists file names (with their extensions) and selects by
// file name.
#pragma once

#include "host/utility/smart_combo_box.h"

class CFileComboBox : public CSmartComboBox {
  DECLARE_DYNAMIC(CFileComboBox)

 public:
  CFileComboBox() = default;

  // Selects the entry named name, searching after startAfter (-1: from the start) and
  // wrapping around. An entry equal to the name wins over one that merely starts with
  // it, so "lib" never picks "lib2" while "lib" is listed. Case is ignored. Returns the
  // index, or CB_ERR with the selection unchanged.
  int SelectString(int startAfter, const char* name);

  // Adds the regular files of directory whose extension is extension (without its dot,
  // case ignored; empty: every file), in name order. Returns how many were added, or -1
  // with the reason recorded as the last error when the directory cannot be read.
  int AddFiles(const CString& directory, const CString& extension);
};
