#include "platform/backend.h"

#include "platform/headless_backend.h"

namespace {
std::unique_ptr<Backend>& Installed() {
  static std::unique_ptr<Backend> backend;
  return backend;
}

HeadlessBackend& BuiltIn() {
  static HeadlessBackend backend;
  return backend;
}
}  // namespace

Backend& CurrentBackend() {
  Backend* installed = Installed().get();
  return installed != nullptr ? *installed : BuiltIn();
}

std::unique_ptr<Backend> SetCurrentBackend(std::unique_ptr<Backend> backend) {
  std::unique_ptr<Backend> previous = std::move(Installed());
  Installed() = std::move(backend);
  return previous;
}

void NotifyPeer(HWND hwnd, WindowChange change) {
  if (hwnd != nullptr && hwnd->peer != nullptr) hwnd->peer->OnChanged(change);
}

void NotifyGridPeer(HWND hwnd, const std::vector<GridChange>& changes) {
  if (hwnd != nullptr && hwnd->peer != nullptr && !changes.empty()) hwnd->peer->OnGridChanged(changes);
}

void NotifyPeerOfRect(HWND hwnd, const CRect& rect) {
  if (hwnd != nullptr && hwnd->peer != nullptr) hwnd->peer->OnInvalidated(rect);
}
