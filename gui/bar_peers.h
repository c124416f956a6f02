// Peers of a frame's control bars: the tool bar (flat buttons as large as the platform
// says, stock icons from the art provider, the label where there is none) and the
// status bar (a wxStatusBar), placed where the platform lays them out.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A bar peer for a tool bar or status bar window; null for other classes.
std::unique_ptr<WxPeer> MakeBarPeer(HWND hwnd, wxWindow* parent);
