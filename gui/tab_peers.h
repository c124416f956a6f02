// Peers of tab strips: a property sheet's tabs (a wxNotebook whose pages stay empty;
// the sheet's page windows lie over them) and the MDI tab bar (tabs drawn by hand, one
// per child). A click on a tab goes to UserInput::ChooseTab; the platform decides.
#pragma once

#include <memory>

#include "gui/wx_peer.h"

// A tab peer for a tab strip window; null for other classes.
std::unique_ptr<WxPeer> MakeTabPeer(HWND hwnd, wxWindow* parent);
