// CFillSeriesDialog: asks how to fill the selected pin cells: numbers from a start by a
// step, or the ball names of a ball grid counted along its rows or down its columns,
// from a first ball, with the grid's width (balls per row, or per column). OK takes
// only values that make a series; otherwise the reason shows and the dialog stays.
#pragma once

#include "editor/grid/fill_series.h"
#include "platform/combo_box.h"
#include "platform/cstring.h"
#include "platform/dialog.h"

class CFillSeriesDialog : public CDialog {
  DECLARE_DYNAMIC(CFillSeriesDialog)

 public:
  // `target` says which cells the series goes to.
  CFillSeriesDialog(const CString& target, CWnd* parent = nullptr);

  // The series accepted with OK.
  const FillSeries& GetSeries() const { return m_series; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnKindChanged();
  SeriesKind ChosenKind() const;
  // Reads the edits into `series`; false, with the reason in `error`, when they make
  // no series.
  bool ReadSeries(FillSeries& series, CString& error) const;

  CString m_target;
  FillSeries m_series;
  CComboBox m_kind;
};
