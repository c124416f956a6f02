// The presentation backend: what shows the platform's state on a screen and runs modal
// loops. With the headless backend nothing is shown; tests script the user instead.
#pragma once

#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/window_handle.h"

class CDialog;

// What changed in a window, so a peer redraws only that.
enum class WindowChange {
  Created,
  Text,
  Position,
  Style,
  Visibility,
  Enabled,
  Focus,
  Content,  // the control's own data: items, selection, check state, cells
  Redraw,
};

// What changed in a grid control, so its peer shows only that: one cell, a row, a
// column (its width), the current cell, the options, or everything (the shape).
struct GridChange {
  enum class Kind { Cell, Row, Column, Cursor, Options, All };
  Kind kind = Kind::All;
  long row = -1;
  long col = -1;
  bool operator==(const GridChange&) const = default;
};

// The screen side of one window.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;
  virtual void OnChanged(WindowChange change) = 0;
  // Changes of a grid's cells, in the order made; a batch of changes comes as one list.
  // A peer that cannot show less shows the whole content.
  virtual void OnGridChanged(const std::vector<GridChange>& changes) {
    (void)changes;
    OnChanged(WindowChange::Content);
  }
  // A part of the window, in client coordinates, must be drawn again.
  virtual void OnInvalidated(const CRect& rect) {
    (void)rect;
    OnChanged(WindowChange::Redraw);
  }
};

struct MenuItem {
  UINT id = 0;
  CString text;
  bool separator = false;
  bool enabled = true;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // A peer for a new window, or null when this backend does not show it.
  virtual std::unique_ptr<WindowPeer> CreatePeer(HWND hwnd) = 0;
  // Runs a modal loop over a dialog whose OnInitDialog has run; returns when the dialog
  // has ended (CDialog::EndDialog) with its result.
  virtual int RunModalLoop(CDialog& dialog) = 0;
  // Shows a message box; returns IDOK, IDYES, IDNO or IDCANCEL.
  virtual int ShowMessageBox(const CString& text, const CString& caption, UINT type) = 0;
  // Shows a context menu at a screen point; returns the chosen id, 0 when none.
  virtual UINT TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screenPoint, HWND owner) = 0;
  // Shows or hides the wait cursor.
  virtual void SetWaitCursor(bool on) = 0;
  // Shows a text file to the user (read-only).
  virtual void ShowTextFile(const CString& path, const CString& title) = 0;
};

// The process-wide backend; the headless one until another is installed.
Backend& CurrentBackend();
// Installs a backend and returns the previous one (null for the built-in headless one).
std::unique_ptr<Backend> SetCurrentBackend(std::unique_ptr<Backend> backend);

void NotifyPeer(HWND hwnd, WindowChange change);
void NotifyGridPeer(HWND hwnd, const std::vector<GridChange>& changes);
void NotifyPeerOfRect(HWND hwnd, const CRect& rect);
