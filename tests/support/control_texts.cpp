#include "tests/support/control_texts.h"

namespace {

// The texts of lines 0 to count - 1, each read by `read`.
template <class Read>
std::vector<std::string> ReadLines(int count, Read read) {
  std::vector<std::string> lines;
  for (int index = 0; index < count; ++index) {
    CString text;
    read(index, text);
    lines.push_back(text.str());
  }
  return lines;
}

}  // namespace

std::vector<std::string> ComboEntries(const CComboBox& combo) {
  return ReadLines(combo.GetCount(), [&combo](int index, CString& text) { combo.GetLBText(index, text); });
}

std::vector<std::string> ListBoxLines(const CListBox& list) {
  return ReadLines(list.GetCount(), [&list](int index, CString& text) { list.GetText(index, text); });
}
