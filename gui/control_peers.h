// Peers of the standard controls and of dialogs.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A peer for a dialog or a control of the standard classes, or null for windows that
// this backend does not show (yet).
std::unique_ptr<WindowPeer> MakeControlPeer(HWND hwnd);
