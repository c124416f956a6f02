// Peers of the standard controls and of dialogs.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A peer for a dialog or a control of the standard classes, or null for windows of
// other classes. `parent` holds child widgets; `owner` is the widget a top-level dialog
// belongs to (may be null).
std::unique_ptr<WxPeer> MakeControlPeer(HWND hwnd, wxWindow* parent, wxWindow* owner);
