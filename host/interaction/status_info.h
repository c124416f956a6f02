// CStatusInfo: the prompt an actor shows while it runs. One status at a time is on
// show; its text goes to the message pane of the main window's status bar, and to a
// process-wide sink for whoever else wants it.
#pragma once

#include <functional>

#include "platform/cstring.h"

class CStatusInfo {
 public:
  using Sink = std::function<void(const CString&)>;

  CStatusInfo() = default;
  ~CStatusInfo();
  CStatusInfo(const CStatusInfo&) = delete;
  CStatusInfo& operator=(const CStatusInfo&) = delete;

  // Reaches the sink at once while this status is on show.
  void SetStatusString(const CString& text);
  const CString& GetStatusString() const { return m_text; }

  // Puts this status on show, replacing whichever was; Hide clears the status bar when
  // this one is on show and does nothing otherwise.
  void Show();
  void Hide();
  bool IsShown() const;

  // Installs the receiver of shown texts and returns the previous one; an empty sink
  // shows nothing.
  static Sink SetStatusSink(Sink sink);

 private:
  CString m_text;
};
