// Chooses the peer of a window: by the window's class for controls, bars, tab strips,
// the grid and the MDI client; by its object's run-time class for splitters, views and
// frames; any other child window gets a plain container, so that its children show.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// The peer of a new window, showing its whole state, with peers for its children too
// (windows made while it was being created, before it had a widget to hold theirs);
// null for a window that is not shown (its parent has no widget, or it is a top-level
// window of a kind not shown).
std::unique_ptr<WxPeer> MakePeerTree(HWND hwnd);
