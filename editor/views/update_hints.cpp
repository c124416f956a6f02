#include "editor/views/update_hints.h"

#include "host/model/component.h"
#include "host/model/undo_step_hint.h"

IMPLEMENT_DYNAMIC(CPinNumberHint, CObject)
IMPLEMENT_DYNAMIC(CPinNameHint, CObject)
IMPLEMENT_DYNAMIC(CComponentHint, CObject)

CObject* PackHighlightPin(int gate, int number) {
  const std::uint32_t packed = (static_cast<std::uint32_t>(static_cast<std::uint16_t>(gate)) << 16) |
                               static_cast<std::uint16_t>(number);
  return reinterpret_cast<CObject*>(static_cast<std::uintptr_t>(packed));
}

void UnpackHighlightPin(const CObject* packed, int& gate, int& number) {
  const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(packed));
  gate = static_cast<std::int16_t>(value >> 16);
  number = static_cast<std::int16_t>(value & 0xFFFF);
}

const std::vector<TerminalChange>* UndoneTerminalChanges(const CObject* hintObject,
                                                         const CComponent* component) {
  const auto* step = DynamicDowncast<CUndoStepHint>(hintObject);
  if (step == nullptr || component == nullptr) return nullptr;
  const std::optional<std::vector<TerminalChange>>& changes = step->TerminalChangesOf(component->GetId());
  return changes ? &*changes : nullptr;
}
