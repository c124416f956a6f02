// The package list of the Select and Delete Package dialogs: a combo box entry per
// package record of the design, showing the package name, with the record as its
// item data.
#pragma once

#include "platform/combo_box.h"

class CComponent;
class CDesign;

// Lists the package of every record of `design` (none for a null design); a sorted
// combo puts each in its place.
void FillPackageList(CComboBox& combo, CDesign* design);
// The record of the entry selected in the list; null when no entry is selected.
CComponent* SelectedPackage(const CComboBox& combo);
// The record of the entry the edit field names (ignoring case), for a list whose
// selection the user typed away; null when no entry has that name.
CComponent* TypedPackage(const CComboBox& combo);
