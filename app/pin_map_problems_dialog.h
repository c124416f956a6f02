// CPinMapProblemsDialog: the list of the pin grid's cells that will not pass, one line
// a cell saying where it is and what is wrong, in the grid's order. Go To (or Enter, or
// a double click on a line) closes the list with the chosen line, so that the grid can
// show its cell.
#pragma once

#include <vector>

#include "editor/grid/pin_map_checks.h"
#include "platform/dialog.h"
#include "platform/list_box.h"

class CPinMapProblemsDialog : public CDialog {
 public:
  explicit CPinMapProblemsDialog(std::vector<PinMapProblem> problems, CWnd* parent = nullptr);

  // The problem chosen with Go To; null before.
  const PinMapProblem* GetChosen() const { return m_chosen; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  std::vector<PinMapProblem> m_problems;
  const PinMapProblem* m_chosen = nullptr;
  CListBox m_list;
};
