// The peer of a view: it paints by calling the view's OnDraw with a device context over
// wxGraphicsContext, and feeds the mouse (left, middle and right buttons, moves, the
// wheel) and typed characters to the user-input API at the same points the view sees.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A view peer for a window whose object is a CView; null otherwise.
std::unique_ptr<WxPeer> MakeViewPeer(HWND hwnd, wxWindow* parent);
