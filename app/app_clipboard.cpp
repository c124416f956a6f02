#include "app/app_clipboard.h"

namespace {

class MemoryClipboard : public AppClipboard {
 public:
  CString GetText() override { return m_text; }
  void SetText(const CString& text) override { m_text = text; }

 private:
  CString m_text;
};

std::unique_ptr<AppClipboard>& Installed() {
  static std::unique_ptr<AppClipboard> clipboard = std::make_unique<MemoryClipboard>();
  return clipboard;
}

}  // namespace

AppClipboard& CurrentClipboard() {
  return *Installed();
}

void SetCurrentClipboard(std::unique_ptr<AppClipboard> clipboard) {
  Installed() = clipboard != nullptr ? std::move(clipboard) : std::make_unique<MemoryClipboard>();
}
