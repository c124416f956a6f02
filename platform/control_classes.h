// The system window classes of the standard controls: STATIC, BUTTON, EDIT, COMBOBOX,
// LISTBOX and the tab strip. Each keeps its own state in the window (a ControlData
// subclass, declared beside its C++ control class) and answers the classic messages
// over it, so a control made from a dialog template and a member object attached to it
// behave alike: the C++ control classes only send messages.
//
// A screen backend may read the state to show a control (combo items with their item
// data, the list's tab stops, the edit's selection); it never changes it: every change
// goes through a message or the user-input API, which tell the peer.
#pragma once

#include "platform/window_handle.h"

// Registers the window classes above; cheap and idempotent. Dialogs and the control
// classes' Create call it before making controls.
void RegisterControlClasses();

// True when the window is of that system class (the name compares without case).
bool IsWindowOfClass(HWND hwnd, const char* className);
