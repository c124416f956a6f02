// CDisplayDialog: the nine colours the symbol views draw in, each in a colour combo. It
// shows the colours stored under "ComponentEditor\Colours", a missing one taking the
// palette entry the views would take, and stores all nine on OK, changed or not; Cancel
// stores nothing. The caller tells the views to reload them.
#pragma once

#include <array>

#include "editor/views/view_colours.h"
#include "host/uitools/design_colours_combo_box.h"
#include "platform/dialog.h"

class CDesign;

class CDisplayDialog : public CDialog {
 public:
  // `design` is handed to the colour combos; not owned, may be null.
  explicit CDisplayDialog(CDesign* design, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  static constexpr size_t kColourCount = 9;

  CDesignColoursComboBox& ComboOf(int controlId);

  // In the order of the stored values' writing: unassigned pins, text, outlines,
  // selection, highlight, background, assigned pins, terminal names, terminal numbers.
  std::array<CDesignColoursComboBox, kColourCount> m_colours;
  // Counts the missing values as they are read, for their palette entries.
  CViewColourReader m_reader;
  CDesign* m_design;  // not owned
};
