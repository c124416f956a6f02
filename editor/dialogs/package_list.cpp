#include "editor/dialogs/package_list.h"

#include "host/model/design.h"
#include "host/utility/combo_entries.h"

namespace {

CComponent* EntryRecord(const CComboBox& combo, int index) {
  if (index == CB_ERR) return nullptr;
  return reinterpret_cast<CComponent*>(combo.GetItemData(index));
}

}  // namespace

void FillPackageList(CComboBox& combo, CDesign* design) {
  if (design == nullptr) return;
  POSITION position = nullptr;
  for (CComponent* component = design->FirstComponent(position); component != nullptr;
       component = design->NextComponent(position))
    AddComboEntry(combo, component->GetPackage().c_str(), component);
}

CComponent* SelectedPackage(const CComboBox& combo) {
  return EntryRecord(combo, combo.GetCurSel());
}

CComponent* TypedPackage(const CComboBox& combo) {
  return EntryRecord(combo, combo.FindStringExact(-1, combo.GetWindowText().c_str()));
}
