// The peer of the grid control: a wxGrid showing GridData. Fixed rows and columns are
// frozen header cells; cells show their text, bold and disabled look, alignment and
// read-only state; the current cell is the grid cursor. Moving to a cell, editing in
// the cell and dragging column borders go through the user-input API, so the platform
// sends selection change, edit start, change and stop; the wx grid never keeps a value
// the platform did not give it.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A grid peer for a grid control window; null for other classes.
std::unique_ptr<WxPeer> MakeGridPeer(HWND hwnd, wxWindow* parent);
