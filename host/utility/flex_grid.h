// CFlexGrid: the application's grid control. It adds to the platform grid the headers
// taken from the string table and column widths that persist in the registry, and it
// can be told to fail creation so that callers' fallbacks can be exercised.
//
// The parent hears the selection-changed message (GetSelectionChangedMessage) when a
// user makes another cell current; see platform/grid_ctrl.h for how it is sent.
#pragma once

#include "platform/grid_ctrl.h"

class CFlexGrid : public CGridCtrl {
  DECLARE_DYNAMIC(CFlexGrid)

 public:
  CFlexGrid() = default;

  // Both forms make a grid child window of parent; the class name, if any, is ignored.
  BOOL Create(const char* className, const char* windowName, DWORD style, const CRect& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // While set, every creation fails before a window is made.
  static void SetFailCreationForTesting(bool fail);

  // A cell's text from the string table; an unknown id leaves the cell unchanged and
  // gives FALSE.
  using CGridCtrl::SetTextMatrix;
  BOOL SetTextMatrix(long row, long col, UINT stringId);

  // Column widths are kept under this key of the application's registry, one number of
  // pixels per column: "Col0", "Col1", ...
  void SetRegistryKey(const CString& key) { m_registryKey = key; }
  // Applies the stored widths to the columns the grid has now; a column without a
  // stored width, or with an implausible one, keeps its width. False without a key or
  // a window.
  bool LoadSettings();
  // Stores the width of every column. False without a key or a window, or when a value
  // could not be kept.
  bool SaveSettings();

  // Widths beyond this are not taken from the registry: a damaged value must not make
  // a column too wide to find its border.
  static constexpr unsigned long kMaxStoredColWidth = 4096;

 private:
  static CString WidthValueName(long col);

  CString m_registryKey;
};
