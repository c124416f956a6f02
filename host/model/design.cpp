#include "host/model/design.h"

#include <algorithm>
#include <unordered_map>

#include "host/model/position_index.h"
#include "host/model/undo_step_hint.h"

IMPLEMENT_DYNCREATE(CDesign, CDocument)
IMPLEMENT_DYNCREATE(CScmDesign, CDesign)
IMPLEMENT_DYNCREATE(CPcbDesign, CDesign)

namespace {
// The fields a new package record shares with the component's other records.
ComponentValue NewPackageValue(const ComponentValue& sibling, const char* package) {
  ComponentValue value;
  value.name = sibling.name;
  value.package = package;
  value.description = sibling.description;
  value.defaultReference = sibling.defaultReference;
  value.pcbOnly = sibling.pcbOnly;
  value.showNames = sibling.showNames;
  value.attributes = sibling.attributes;
  value.gates = sibling.gates;
  for (GateValue& gate : value.gates) {
    gate.id = 0;
    for (TerminalValue& terminal : gate.terminals) terminal.pin = CGate::kNoPin;
  }
  return value;
}
}  // namespace

CDesign::CDesign() = default;

CDesign::~CDesign() {
  ReleaseContents();
}

CComponent* CDesign::AddComponent(const char* name, const char* package) {
  POSITION position = nullptr;
  const CComponent* sibling = FirstComponent(position, name);
  auto record = std::make_unique<CComponent>(name, package);
  if (sibling != nullptr) {
    ComponentValue value = NewPackageValue(sibling->GetValue(), package);
    value.name = name;
    record->RestoreValue(value);
  }
  return AppendComponent(std::move(record));
}

CComponent* CDesign::AddComponent(const CComponent* source) {
  if (source == nullptr) return nullptr;
  ComponentValue value = source->GetValue();
  ForgetIdentities(value);
  auto record = std::make_unique<CComponent>(value.name, value.package);
  record->RestoreValue(value);
  return AppendComponent(std::move(record));
}

bool CDesign::DeleteComponent(CComponent* component) {
  const auto found = std::find_if(m_components.begin(), m_components.end(),
                                  [component](const auto& owned) { return owned.get() == component; });
  if (found == m_components.end()) return false;
  m_components.erase(found);
  return true;
}

CComponent* CDesign::FirstComponent(POSITION& position) const {
  position = m_components.empty() ? nullptr : PositionFromIndex(0);
  return NextComponent(position);
}

CComponent* CDesign::NextComponent(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_components.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_components.size() ? PositionFromIndex(at + 1) : nullptr;
  return m_components[at].get();
}

CComponent* CDesign::FirstComponent(POSITION& position, const char* name) const {
  position = m_components.empty() ? nullptr : PositionFromIndex(0);
  return NextComponent(position, name);
}

CComponent* CDesign::NextComponent(POSITION& position, const char* name) const {
  if (name == nullptr) name = "";
  for (CComponent* record = NextComponent(position); record != nullptr; record = NextComponent(position)) {
    if (record->GetName().CompareNoCase(name) == 0) return record;
  }
  return nullptr;
}

CComponent* CDesign::FindComponent(const char* name, const char* package) const {
  if (package == nullptr) package = "";
  POSITION position = nullptr;
  for (CComponent* record = FirstComponent(position, name); record != nullptr;
       record = NextComponent(position, name)) {
    if (record->GetPackage().CompareNoCase(package) == 0) return record;
  }
  return nullptr;
}

void CDesign::StartUndoLevel(UINT id) {
  NotifyUndoLevel(UndoLevelEvent::Kind::Start, id);
  m_undo.StartLevel(id, [this] { return CaptureRecords(); });
}

bool CDesign::EndUndoLevel(UINT id) {
  NotifyUndoLevel(UndoLevelEvent::Kind::End, id);
  if (!m_undo.IsLevelOpen()) return false;
  const CUndoHistory::CloseOutcome outcome = m_undo.EndLevel(id, [this] { return CaptureRecords(); });
  if (outcome.recorded) SetModifiedFlag(TRUE);
  return outcome.matched;
}

bool CDesign::CanUndo() const {
  return !m_undo.IsLevelOpen() && m_undo.CanUndo();
}

bool CDesign::CanRedo() const {
  return !m_undo.IsLevelOpen() && m_undo.CanRedo();
}

CString CDesign::GetUndoName() const {
  CString name;
  if (m_undo.CanUndo()) name.LoadString(m_undo.NextUndo().id);
  return name;
}

CString CDesign::GetRedoName() const {
  CString name;
  if (m_undo.CanRedo()) name.LoadString(m_undo.NextRedo().id);
  return name;
}

bool CDesign::Undo() {
  if (!CanUndo()) return false;
  ApplyStep(m_undo.NextUndo(), true);
  m_undo.UndoDone();
  SetModifiedFlag(TRUE);
  CUndoStepHint undone(m_undo.NextRedo(), true);
  UpdateAllViews(nullptr, 0, &undone);
  return true;
}

bool CDesign::Redo() {
  if (!CanRedo()) return false;
  ApplyStep(m_undo.NextRedo(), false);
  m_undo.RedoDone();
  SetModifiedFlag(TRUE);
  CUndoStepHint redone(m_undo.NextUndo(), false);
  UpdateAllViews(nullptr, 0, &redone);
  return true;
}

void CDesign::DeleteContents() {
  ReleaseContents();
  CDocument::DeleteContents();
}

CComponent* CDesign::AppendComponent(std::unique_ptr<CComponent> component) {
  component->SetOwnerDesign(this);
  m_components.push_back(std::move(component));
  return m_components.back().get();
}

CComponent* CDesign::FindComponentById(std::uint64_t id) const {
  for (const auto& record : m_components) {
    if (record->GetId() == id) return record.get();
  }
  return nullptr;
}

RecordValues CDesign::CaptureRecords() const {
  RecordValues records;
  records.reserve(m_components.size());
  for (const auto& record : m_components) records.push_back(record->GetValue());
  return records;
}

void CDesign::ApplyStep(const UndoStep& step, bool towardsBefore) {
  for (const RecordChange& change : step.changes) ApplyRecord(change, towardsBefore);
  OrderRecords(towardsBefore ? step.orderBefore : step.orderAfter);
}

// A record that kept its shape holds the step's other side, so setting the terminals
// that differ makes it the value wanted.
void CDesign::ApplyRecord(const RecordChange& change, bool towardsBefore) {
  const std::optional<ComponentValue>& value = towardsBefore ? change.before : change.after;
  CComponent* live = FindComponentById(change.id);
  if (!value.has_value()) {
    if (live != nullptr) DeleteComponent(live);
    return;
  }
  if (live != nullptr && change.terminals.has_value()) {
    live->RestoreTerminals(*value, *change.terminals);
    return;
  }
  if (live == nullptr)
    live = AppendComponent(std::make_unique<CComponent>(value->name, value->package, change.id));
  live->RestoreValue(*value);
}

void CDesign::OrderRecords(const std::vector<std::uint64_t>& order) {
  // Records the order does not know (made outside any undo level) keep their places
  // after those it names.
  std::unordered_map<std::uint64_t, size_t> rank;
  for (size_t i = 0; i < order.size(); ++i) rank.emplace(order[i], i);
  std::stable_sort(m_components.begin(), m_components.end(), [&rank](const auto& a, const auto& b) {
    const auto rankA = rank.find(a->GetId());
    const auto rankB = rank.find(b->GetId());
    const size_t keyA = rankA != rank.end() ? rankA->second : rank.size();
    const size_t keyB = rankB != rank.end() ? rankB->second : rank.size();
    return keyA < keyB;
  });
}

void CDesign::NotifyUndoLevel(UndoLevelEvent::Kind kind, UINT id) const {
  if (m_undoObserver) m_undoObserver({kind, id});
}

void CDesign::ReleaseContents() {
  m_selection.Reset();
  m_componentInstances.clear();
  m_components.clear();
  m_attributes.Clear();
  m_undo.Clear();
}
