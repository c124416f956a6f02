#include "tests/support/control_texts.h"

std::vector<std::string> ComboEntries(const CComboBox& combo) {
  std::vector<std::string> entries;
  for (int index = 0; index < combo.GetCount(); ++index) {
    CString text;
    combo.GetLBText(index, text);
    entries.push_back(text.str());
  }
  return entries;
}

std::vector<std::string> ListBoxLines(const CListBox& list) {
  std::vector<std::string> lines;
  for (int index = 0; index < list.GetCount(); ++index) {
    CString text;
    list.GetText(index, text);
    lines.push_back(text.str());
  }
  return lines;
}
