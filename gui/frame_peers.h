// Peers of frames: the main window (a wxFrame with the platform's menu bar; tool bar,
// status bar and MDI tab bar are its child windows, laid out by the platform), the MDI
// client and its children (only the active child is on show, as if maximised; the tab
// bar switches between them), and plain child windows, which only hold others.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A frame peer for a top-level frame, an MDI client, an MDI child or any other child
// window that only holds others; null for windows of none of these kinds.
std::unique_ptr<WxPeer> MakeFramePeer(HWND hwnd, wxWindow* parent);
// The platform's virtual-key code of a wx key code, 0 for keys shortcuts do not use.
UINT VirtualKeyOf(int wxKeyCode);
