#include "platform/list_items.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/control_window.h"

int CompareListText(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareListText(a, b) == 0;
}

namespace control_detail {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

ListItem MakeItem(const ListRules& rules, LPARAM lParam) {
  ListItem item;
  if (rules.hasStrings) {
    item.text = TextArg(lParam);
  } else {
    item.data = static_cast<DWORD_PTR>(lParam);  // owner-drawn without strings: the value is the item data
  }
  return item;
}

bool ItemMatches(const ListItem& item, const ListRules& rules, LPARAM lParam, bool exact) {
  if (!rules.hasStrings) return item.data == static_cast<DWORD_PTR>(lParam);
  const std::string_view wanted = TextArg(lParam);
  return exact ? EqualsNoCase(item.text, wanted) : StartsWithNoCase(item.text, wanted);
}

}  // namespace

bool ValidListIndex(const std::vector<ListItem>& items, int index) {
  return index >= 0 && index < static_cast<int>(items.size());
}

int AddListItem(std::vector<ListItem>& items, const ListRules& rules, LPARAM lParam, int& curSel) {
  ListItem item = MakeItem(rules, lParam);
  size_t index = items.size();
  if (rules.sorted && rules.hasStrings) {
    // After the entries that compare equal, before the first greater one.
    const auto it = std::upper_bound(
        items.begin(), items.end(), item,
        [](const ListItem& a, const ListItem& b) { return CompareListText(a.text, b.text) < 0; });
    index = static_cast<size_t>(it - items.begin());
  }
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  if (curSel >= static_cast<int>(index)) ++curSel;
  return static_cast<int>(index);
}

int InsertListItem(std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
                   int& curSel) {
  int index = ToInt(wParam);
  if (index == -1) index = static_cast<int>(items.size());
  if (index < 0 || index > static_cast<int>(items.size())) return -1;
  items.insert(items.begin() + index, MakeItem(rules, lParam));
  if (curSel >= index) ++curSel;
  return index;
}

void EraseListItem(std::vector<ListItem>& items, int index, int& curSel) {
  items.erase(items.begin() + index);
  if (curSel == index) {
    curSel = -1;
  } else if (curSel > index) {
    --curSel;
  }
}

int FindListItem(const std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
                 bool exact) {
  const int count = static_cast<int>(items.size());
  if (count == 0) return -1;
  int start = ToInt(wParam);
  if (start < -1 || start >= count) start = -1;
  for (int step = 1; step <= count; ++step) {
    const int index = (start + step) % count;
    if (ItemMatches(items[static_cast<size_t>(index)], rules, lParam, exact)) return index;
  }
  return -1;
}

LRESULT CopyItemText(const ListItem& item, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (buffer != nullptr)
    std::memcpy(buffer, item.text.c_str(), static_cast<size_t>(item.text.GetLength()) + 1);
  return item.text.GetLength();
}

}  // namespace control_detail
