// The placed form of a design's components, and the technology it is drawn with.
#include <algorithm>

#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/design_units.h"
#include "host/model/instance_builder.h"
#include "host/model/position_index.h"
#include "host/model/technology_cache.h"
#include "host/utility/app_error.h"

namespace {

// Text heights when the design's technology has no style for them: the schematic's
// suit its 0.1 inch grid, the PCB's a silkscreen.
constexpr InstanceTextSizes kSchematicTextSizes = {kSchematicGrid * 6 / 10, kSchematicGrid * 4 / 10,
                                                   kSchematicGrid * 4 / 10, kSchematicGrid * 3 / 10};
constexpr InstanceTextSizes kPcbTextSizes = {kUnitsPerMillimetre, kUnitsPerMillimetre,
                                             kUnitsPerMillimetre / 2, kUnitsPerMillimetre / 2};

CComponentInstance* AsInstance(const std::unique_ptr<CDesignItem>& item) {
  return static_cast<CComponentInstance*>(item.get());
}

template <class Named>
bool HasName(const Named& item, const char* name) {
  return item.GetName().CompareNoCase(name) == 0;
}

}  // namespace

CComponentInstance* CDesign::AddComponentInstance(const char* reference, CComponent* component,
                                                  const char* libraryFile, bool allGates) {
  CInstanceBuilder builder(GetSymbolKind(), GetInstanceTextSizes());
  std::unique_ptr<CComponentInstance> instance = builder.Build(reference, component, libraryFile, allGates);
  if (instance == nullptr) return nullptr;
  instance->SetOwnerDesignOfAll(this);
  m_componentInstances.push_back(std::move(instance));
  return AsInstance(m_componentInstances.back());
}

CComponentInstance* CDesign::FirstComponentInstance() const {
  return m_componentInstances.empty() ? nullptr : AsInstance(m_componentInstances.front());
}

CComponentInstance* CDesign::FirstComponentInstance(POSITION& position) const {
  position = m_componentInstances.empty() ? nullptr : PositionFromIndex(0);
  return NextComponentInstance(position);
}

CComponentInstance* CDesign::NextComponentInstance(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_componentInstances.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_componentInstances.size() ? PositionFromIndex(at + 1) : nullptr;
  return AsInstance(m_componentInstances[at]);
}

bool CDesign::DeleteComponentInstance(CComponentInstance* instance) {
  const auto found = std::find_if(m_componentInstances.begin(), m_componentInstances.end(),
                                  [instance](const auto& owned) { return owned.get() == instance; });
  if (found == m_componentInstances.end()) return false;
  m_componentInstances.erase(found);
  return true;
}

void CDesign::DeleteAllComponentInstances() {
  m_componentInstances.clear();
}

CRect CDesign::GetExtents() const {
  CBox box;
  for (const auto& item : m_componentInstances) box = box.Union(AsInstance(item)->GetExtents());
  return box.IsEmpty() ? CRect() : box.ToRect();
}

void CDesign::Shift(int dx, int dy) {
  for (const auto& item : m_componentInstances) AsInstance(item)->Offset(dx, dy);
}

SymbolKind CDesign::GetSymbolKind() const {
  return IsKindOf(RUNTIME_CLASS(CPcbDesign)) ? SymbolKind::Pcb : SymbolKind::Schematic;
}

bool CDesign::AddDesign(const CString& path, bool reportErrors) {
  CString error;
  std::shared_ptr<const CTechnology> technology = CTechnologyCache::Load(path, error);
  if (technology != nullptr && technology->GetKind() != GetSymbolKind()) {
    const bool pcb = technology->GetKind() == SymbolKind::Pcb;
    error.FormatMessage("Cannot merge \"%1\": it is a %2 technology, not a %3 one.", path,
                        pcb ? "PCB" : "schematic", pcb ? "schematic" : "PCB");
    technology.reset();
  }
  if (technology == nullptr) {
    CAppError::SetLastErrorText(error);
    if (reportErrors) CAppError::ReportLastError();
    return false;
  }
  MergeTechnology(*technology);
  return true;
}

CLayer* CDesign::FirstLayer(POSITION& position) const {
  position = m_layers.empty() ? nullptr : PositionFromIndex(0);
  return NextLayer(position);
}

CLayer* CDesign::NextLayer(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_layers.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_layers.size() ? PositionFromIndex(at + 1) : nullptr;
  return m_layers[at].get();
}

CLayer* CDesign::FindLayer(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const auto& layer : m_layers) {
    if (HasName(*layer, name)) return layer.get();
  }
  return nullptr;
}

const CTextStyle* CDesign::FindTextStyle(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const CTextStyle& style : m_textStyles) {
    if (style.name.CompareNoCase(name) == 0) return &style;
  }
  return nullptr;
}

InstanceTextSizes CDesign::GetInstanceTextSizes() const {
  InstanceTextSizes sizes = GetSymbolKind() == SymbolKind::Pcb ? kPcbTextSizes : kSchematicTextSizes;
  const auto take = [this](int& size, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (const CTextStyle* style = FindTextStyle(name)) {
        size = style->size;
        return;
      }
    }
  };
  take(sizes.reference, {"Reference"});
  take(sizes.name, {"Value", "Reference"});
  take(sizes.pinName, {"Pin Name"});
  take(sizes.pinNumber, {"Pin Number", "Pad Number"});
  return sizes;
}

void CDesign::MergeTechnology(const CTechnology& technology) {
  if (GetSymbolKind() == SymbolKind::Pcb) {
    for (const CTechLayer& layer : technology.Layers()) {
      if (FindLayer(layer.name) == nullptr)
        m_layers.push_back(std::make_unique<CLayer>(layer.name, layer.colour, layer.visible));
    }
  }
  for (const CTextStyle& style : technology.TextStyles()) {
    if (FindTextStyle(style.name) == nullptr) m_textStyles.push_back(style);
  }
  const auto colour = [&technology](DesignColour which) { return technology.GetColour(which); };
  m_colours.SetBackground(colour(DesignColour::Background));
  m_colours.SetAssignedPins(colour(DesignColour::AssignedPins));
  m_colours.SetUnconnectedPins(colour(DesignColour::AssignedPins));
  m_colours.SetColour(RUNTIME_CLASS(CPadInstance), colour(DesignColour::UnassignedPins));
  m_colours.SetColour(RUNTIME_CLASS(CTextInstance), colour(DesignColour::Text));
  m_colours.SetColour(RUNTIME_CLASS(CCopperInstance), colour(DesignColour::Outlines));
  m_colours.SetSelection(colour(DesignColour::Selection));
  m_colours.SetHighlight(colour(DesignColour::Highlight));
  m_colours.SetColour(RUNTIME_CLASS(CPinNameInstance), colour(DesignColour::PinNames));
  m_colours.SetColour(RUNTIME_CLASS(CPinNumberInstance), colour(DesignColour::PinNumbers));
}
