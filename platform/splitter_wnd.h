// CSplitterWnd: a static splitter, a grid of panes made once by dynamic creation. Rows
// are stacked top to bottom at their ideal heights with a bar between them, the last
// row taking what is left; columns likewise from left to right.
#pragma once

#include <vector>

#include "platform/create_context.h"
#include "platform/cwnd.h"

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  // The width of the bar between two rows or columns.
  static constexpr int kSplitterGap = 4;
  static constexpr int kMaxRowsOrColumns = 16;

  CSplitterWnd() = default;

  // The splitter fills the parent's client area; without WS_VISIBLE in `style` it stays
  // hidden until shown.
  BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                    UINT id = AFX_IDW_PANE_FIRST);
  // Makes the pane's window of `viewClass` (which its window then owns) and lays the
  // panes out, `initialSize` being the ideal height of the row and width of the column.
  // FALSE, leaving the pane empty, when the place is taken or outside the grid, the class
  // can't be created or the window refuses its creation. Without a context the new view
  // shows the document of the active pane and gets its initial update at once.
  virtual BOOL CreateView(int row, int col, const CRuntimeClass* viewClass, CSize initialSize,
                          CCreateContext* context);
  // Destroys the pane's window (and the object it owns); the pane becomes empty.
  virtual void DeleteView(int row, int col);

  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const;
  // True when `wnd` is one of the panes; then gives its place.
  bool IsChildPane(const CWnd* wnd, int* row, int* col) const;
  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  int GetColumnCount() const { return static_cast<int>(m_cols.size()); }

  // The ideal size is used at the next layout; a row or column that would get less than
  // its minimum gets nothing. Get gives the size now laid out and the minimum.
  void SetRowInfo(int row, int idealHeight, int minHeight);
  void GetRowInfo(int row, int& currentHeight, int& minHeight) const;
  void SetColumnInfo(int col, int idealWidth, int minWidth);
  void GetColumnInfo(int col, int& currentWidth, int& minWidth) const;
  virtual void RecalcLayout();

  // The active view of the parent frame when it is one of the panes, else null.
  CWnd* GetActivePane(int* row = nullptr, int* col = nullptr) const;
  void SetActivePane(int row, int col);

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void OnSize(UINT type, int cx, int cy) override;

 private:
  struct TrackInfo {
    int ideal = 0;
    int min = 0;
    int current = 0;
  };
  bool IsPlace(int row, int col) const;
  // The frame keeps an active view when the active pane goes.
  void ActivateFirstViewPane();
  static void LayOut(std::vector<TrackInfo>& tracks, int total);

  std::vector<TrackInfo> m_rows;
  std::vector<TrackInfo> m_cols;
};
