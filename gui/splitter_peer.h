// The peer of a static splitter: the panes lie where the platform lays them out, and
// the bars between them are the splitter's own surface. Dragging a bar with the mouse
// moves it through the user-input API, which lays the panes out again as it goes.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A splitter peer for a window whose object is a CSplitterWnd; null otherwise.
std::unique_ptr<WxPeer> MakeSplitterPeer(HWND hwnd, wxWindow* parent);
