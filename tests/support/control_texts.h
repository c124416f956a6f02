// The lines a combo box or list box offers the user, read from the control's own state.
#pragma once

#include <string>
#include <vector>

#include "platform/combo_box.h"
#include "platform/list_box.h"

std::vector<std::string> ComboEntries(const CComboBox& combo);
std::vector<std::string> ListBoxLines(const CListBox& list);
