#include "host/designops/set_op.h"

#include "host/designops/designops_resources.h"
#include "host/designops/values_dialog.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"

bool CSetOp::ChangeValues(CDesign* design, CDesignItem* item) {
  auto* component = DynamicDowncast<CComponent>(item);
  if (design == nullptr || component == nullptr) {
    CAppError::SetLastErrorText("This item has no values to edit.");
    return false;
  }
  // The undo level records the design's own records only.
  if (component->GetOwnerDesign() != design) {
    CAppError::SetLastErrorText("The component does not belong to this design.");
    return false;
  }
  const std::vector<AttributeValue> before = component->GetAttributes()->GetValues();
  CValuesDialog dialog(before);
  if (dialog.DoModal() != IDOK || dialog.GetValues() == before) return false;
  design->StartUndoLevel(IDS_UNDO_VALUES);
  component->GetAttributes()->Assign(dialog.GetValues());
  design->EndUndoLevel(IDS_UNDO_VALUES);
  return true;
}
