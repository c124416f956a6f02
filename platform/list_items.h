// The entries of combo boxes and list boxes and the rules both kinds of list follow:
// sorted insertion, insertion at an index, removal, searching, and the answers to the
// per-entry queries. The callers turn a failure into their own error value.
#pragma once

#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// One entry of a combo box or list box.
struct ListItem {
  CString text;  // empty for owner-drawn entries without strings
  DWORD_PTR data = 0;
};

struct ListRules {
  bool sorted;
  bool hasStrings;
};

// The order of sorted lists: character by character ignoring (ASCII) case, as the
// system's case-insensitive comparison does. Negative, zero or positive.
int CompareListText(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

namespace control_detail {

bool ValidListIndex(const std::vector<ListItem>& items, int index);

// Adds an entry where the list's order puts it; returns its index. The selection
// (`curSel`) moves with the entries after it.
int AddListItem(std::vector<ListItem>& items, const ListRules& rules, LPARAM lParam, int& curSel);
// Inserts at an index (-1: at the end) without sorting; -1 when the index is invalid.
int InsertListItem(std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
                   int& curSel);
// Removes a valid entry; a selection on it is cleared, one after it moves up.
void EraseListItem(std::vector<ListItem>& items, int index, int& curSel);

// Searches from the entry after `start` (start -1 or out of range: from the first),
// wrapping around to the start entry itself. Exact: the whole text, ignoring case;
// otherwise a prefix, ignoring case. Lists without strings compare the item data.
// -1 when nothing matches.
int FindListItem(const std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
                 bool exact);

// Copies an entry's text into a caller's buffer (lParam), as CB_GETLBTEXT and LB_GETTEXT
// do; returns the text's length.
LRESULT CopyItemText(const ListItem& item, LPARAM lParam);

}  // namespace control_detail
