// The component frame's display colours command.
#include "editor/dialogs/display_dialog.h"
#include "editor/frame/component_frame.h"
#include "editor/views/update_hints.h"
#include "host/model/design.h"

// Colours are not part of the design: no undo level, and a running pin assignment
// goes on undisturbed.
void CComponentFrame::OnDisplay() {
  CDisplayDialog dialog(GetDesign());
  if (dialog.DoModal() != IDOK) return;
  if (CDesign* design = GetDesign()) design->UpdateAllViews(nullptr, HintColours, nullptr);
}
