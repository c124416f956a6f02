#include "host/interaction/status_info.h"

#include <utility>

#include "platform/frame_wnd.h"
#include "platform/win_thread.h"

namespace {
CStatusInfo::Sink& StatusSink() {
  static CStatusInfo::Sink sink;
  return sink;
}

const CStatusInfo*& StatusOnShow() {
  static const CStatusInfo* shown = nullptr;
  return shown;
}

// The main window's status bar shows the text, if there is one; then the sink gets
// it. A copy runs, so a sink may replace itself.
void Emit(const CString& text) {
  if (auto* frame = DynamicDowncast<CFrameWnd>(AfxGetThread()->GetMainWnd())) frame->SetMessageText(text);
  const CStatusInfo::Sink sink = StatusSink();
  if (sink) sink(text);
}
}  // namespace

CStatusInfo::~CStatusInfo() {
  if (IsShown()) StatusOnShow() = nullptr;
}

void CStatusInfo::SetStatusString(const CString& text) {
  m_text = text;
  if (IsShown()) Emit(m_text);
}

void CStatusInfo::Show() {
  StatusOnShow() = this;
  Emit(m_text);
}

void CStatusInfo::Hide() {
  if (!IsShown()) return;
  StatusOnShow() = nullptr;
  Emit(CString());
}

bool CStatusInfo::IsShown() const {
  return StatusOnShow() == this;
}

CStatusInfo::Sink CStatusInfo::SetStatusSink(Sink sink) {
  return std::exchange(StatusSink(), std::move(sink));
}
