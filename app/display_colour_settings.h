// The display colours as the settings file keeps them. The file may have been edited
// by hand, so each value is checked when the application starts: one that is no colour
// is removed, with a message naming it, and its default colour is used instead.
#pragma once

#include "platform/cstring.h"

class SettingsStore;

// Removes from `store` each display colour that is not a colour (a text, a flag, or a
// number above 0xFFFFFF) and returns one line per removed value; empty when every
// value was sound.
CString RepairDisplayColours(SettingsStore& store);
