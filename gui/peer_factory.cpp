#include "gui/peer_factory.h"

#include "gui/bar_peers.h"
#include "gui/control_peers.h"
#include "gui/frame_peers.h"
#include "gui/grid_peer.h"
#include "gui/splitter_peer.h"
#include "gui/tab_peers.h"
#include "gui/view_peer.h"

namespace {

std::unique_ptr<WxPeer> MakePeer(HWND hwnd, wxWindow* parent, wxWindow* owner) {
  if (std::unique_ptr<WxPeer> peer = MakeControlPeer(hwnd, parent, owner)) return peer;
  if (std::unique_ptr<WxPeer> peer = MakeTabPeer(hwnd, parent)) return peer;
  if (std::unique_ptr<WxPeer> peer = MakeBarPeer(hwnd, parent)) return peer;
  if (std::unique_ptr<WxPeer> peer = MakeGridPeer(hwnd, parent)) return peer;
  if (std::unique_ptr<WxPeer> peer = MakeSplitterPeer(hwnd, parent)) return peer;
  if (std::unique_ptr<WxPeer> peer = MakeViewPeer(hwnd, parent)) return peer;
  return MakeFramePeer(hwnd, parent);
}

std::unique_ptr<WxPeer> MakeShownPeer(HWND hwnd, wxWindow* parent, wxWindow* owner) {
  std::unique_ptr<WxPeer> peer = MakePeer(hwnd, parent, owner);
  if (peer == nullptr) return nullptr;
  peer->ShowWholeState();
  for (const auto& child : hwnd->children) {
    if (child->peer == nullptr && !child->destroying)
      child->peer = MakeShownPeer(child.get(), peer->ClientWindow(), nullptr);
  }
  return peer;
}

}  // namespace

std::unique_ptr<WxPeer> MakePeerTree(HWND hwnd) {
  return MakeShownPeer(hwnd, PeerClientWindow(hwnd->parent), PeerWindow(hwnd->owner));
}
