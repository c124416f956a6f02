// Combo entries that carry a value: a text shown with item data (a number or a pointer
// to the object the entry stands for), found again by that value.
#pragma once

#include "platform/combo_box.h"

// Adds text with data; returns the entry's index (a sorted combo puts it in its place),
// or CB_ERR.
int AddComboEntry(CComboBox& combo, const char* text, DWORD_PTR data);
template <class T>
int AddComboEntry(CComboBox& combo, const char* text, T* data) {
  return AddComboEntry(combo, text, reinterpret_cast<DWORD_PTR>(data));
}

// Selects the first entry whose item data is data and returns its index; CB_ERR, with
// the selection unchanged, when no entry holds it.
int SelectComboEntry(CComboBox& combo, DWORD_PTR data);
template <class T>
int SelectComboEntry(CComboBox& combo, T* data) {
  return SelectComboEntry(combo, reinterpret_cast<DWORD_PTR>(data));
}
