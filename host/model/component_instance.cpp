#include "host/model/component_instance.h"

#include <algorithm>

#include "host/model/component.h"
#include "host/model/position_index.h"
#include "host/model/scm_component.h"
#include "host/model/symbol_grid.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/file_path.h"

IMPLEMENT_DYNAMIC(CComponentInstance, CDesignItem)

namespace {

// The whole number of steps of `step` that covers `distance` (rounded up); the
// distance itself when there is no step.
long long CoveringSteps(long long distance, int step) {
  if (step <= 0) return distance;
  long long steps = distance / step;
  if (steps * step < distance) ++steps;
  return steps * step;
}

CBox BoxOrPosition(const CSymbolInstance& instance) {
  const CBox box = instance.GetExtents();
  return box.IsEmpty() ? CBox(instance.GetPosition(), instance.GetPosition()) : box;
}

}  // namespace

CComponentInstance::CComponentInstance(const CString& reference, CComponent* component,
                                       const CString& libraryFile, SymbolKind kind,
                                       const InstanceTextSizes& sizes)
    : m_reference(reference),
      m_component(component),
      m_libraryFile(libraryFile),
      m_kind(kind),
      m_sizes(sizes) {
  InitialiseDisplay();
}

CComponentInstance::~CComponentInstance() = default;

const CPinLabels& CComponentInstance::GetPinLabels() const {
  if (!m_pinLabels) {
    m_pinLabels = m_component != nullptr ? CPinLabels::ForPackage(*m_component, m_libraryFile) : CPinLabels();
  }
  return *m_pinLabels;
}

CString CComponentInstance::GetReferenceFor(int gate) const {
  if (m_reference.IsEmpty() || gate < 0 || m_component->CountGates() <= 1) return m_reference;
  return m_reference + CSymbolInstance::GetGateString(gate);
}

void CComponentInstance::SetNameDisplayed(bool componentName, bool packageName, bool description) {
  m_display.componentName = componentName;
  m_display.packageName = packageName;
  m_display.description = description;
  ApplyDisplay();
}

void CComponentInstance::SetSymbolNameDisplayed(bool displayed) {
  m_display.symbolName = displayed;
  ApplyDisplay();
}

void CComponentInstance::SetPinNamesDisplayed(bool displayed) {
  m_display.pinNames = displayed;
  ApplyDisplay();
}

void CComponentInstance::SetPinNumbersDisplayed(bool displayed) {
  m_display.pinNumbers = displayed;
  ApplyDisplay();
}

CSymbolInstance* CComponentInstance::FirstSymbolInstance(POSITION& position) const {
  position = m_symbols.empty() ? nullptr : PositionFromIndex(0);
  return NextSymbolInstance(position);
}

CSymbolInstance* CComponentInstance::NextSymbolInstance(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_symbols.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_symbols.size() ? PositionFromIndex(at + 1) : nullptr;
  return m_symbols[at].get();
}

CSymbolInstance* CComponentInstance::AddSymbolInstance(std::unique_ptr<CSymbolInstance> instance) {
  instance->SetOwnerDesignOfAll(GetOwnerDesign());
  m_symbols.push_back(std::move(instance));
  return m_symbols.back().get();
}

void CComponentInstance::ArrangeSymbolInstances(CSize spacing, bool inColumn, CAngle rotation) {
  if (m_symbols.empty()) return;
  for (const auto& instance : m_symbols) instance->SetRotation(rotation);
  if (!inColumn) {
    ArrangeSymbolsInGrid(m_symbols, spacing);
    return;
  }
  const CPoint start = m_symbols.front()->GetPosition();
  CBox previous = BoxOrPosition(*m_symbols.front());
  for (size_t i = 1; i < m_symbols.size(); ++i)
    previous = PlaceAfter(*m_symbols[i], previous, start, spacing, inColumn);
}

CBox CComponentInstance::PlaceAfter(CSymbolInstance& instance, const CBox& previous, CPoint start,
                                    CSize spacing, bool inColumn) {
  instance.SetPosition(start);
  const CBox box = BoxOrPosition(instance);
  CSize move;
  if (inColumn) {
    const long long down =
        static_cast<long long>(box.GetMax().y) - previous.GetMin().y + std::max(spacing.cy, 0);
    move.cy = static_cast<int>(-CoveringSteps(down, spacing.cy));
  } else {
    const long long right =
        static_cast<long long>(previous.GetMax().x) + std::max(spacing.cx, 0) - box.GetMin().x;
    move.cx = static_cast<int>(CoveringSteps(right, spacing.cx));
  }
  instance.Offset(move.cx, move.cy);
  return CBox(box.GetMin() + move, box.GetMax() + move);
}

void CComponentInstance::Offset(int dx, int dy) {
  for (const auto& instance : m_symbols) instance->Offset(dx, dy);
}

CBox CComponentInstance::GetExtents() const {
  CBox box;
  for (const auto& instance : m_symbols) box = box.Union(instance->GetExtents());
  return box;
}

CString CComponentInstance::GetLibraryForSymbol(const CString& library, const CString& directory,
                                                const CString& extension) const {
  if (!directory.IsEmpty()) return ResolveLibraryPath(library, directory, extension);
  if (library.IsEmpty()) return library;
  CFilePath path(library);
  if (path.GetExtension().IsEmpty()) path.SetExtension(extension);
  return CSymbolLibraryLocator(m_kind, m_libraryFile).GetPath(path.GetPath());
}

CString CComponentInstance::ResolveLibraryPath(const CString& library, const CString& directory,
                                               const CString& extension) {
  if (library.IsEmpty()) return library;
  CFilePath path(library);
  if (path.GetExtension().IsEmpty()) path.SetExtension(extension);
  if (library[0] == '/' || directory.IsEmpty()) return path.GetPath();
  CString base = directory;
  if (base[base.GetLength() - 1] != '/') base += '/';
  return base + path.GetPath();
}

void CComponentInstance::SetOwnerDesignOfAll(CDesign* design) {
  SetOwnerDesign(design);
  for (const auto& instance : m_symbols) instance->SetOwnerDesignOfAll(design);
}

void CComponentInstance::InitialiseDisplay() {
  const CScmComponent* scm = m_component->GetScmComponent();
  const unsigned shows = scm != nullptr ? scm->GetShowNames() : CScmComponent::kDefaultShowNames;
  const int shift = m_kind == SymbolKind::Pcb ? 8 : 0;
  const auto shown = [shows, shift](int flag) {
    return (shows & (static_cast<unsigned>(flag) << shift)) != 0;
  };
  m_display.componentName = shown(CScmComponent::kScmComponent);
  m_display.packageName = shown(CScmComponent::kScmPackage);
  m_display.symbolName = shown(CScmComponent::kScmSymbol);
  m_display.pinNames = shown(CScmComponent::kScmPinName);
  m_display.pinNumbers = m_kind == SymbolKind::Pcb || shown(CScmComponent::kScmPinNumber);
}

void CComponentInstance::ApplyDisplay() {
  for (const auto& instance : m_symbols) instance->ApplyDisplay();
}
