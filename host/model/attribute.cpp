#include "host/model/attribute.h"

#include <algorithm>

#include "host/model/position_index.h"

IMPLEMENT_DYNAMIC(CAttribute, CObject)

CAttribute* CAttributeList::Find(const char* name) const {
  if (name == nullptr) return nullptr;
  for (const auto& attribute : m_attributes) {
    if (attribute->GetName().CompareNoCase(name) == 0) return attribute.get();
  }
  return nullptr;
}

CAttribute* CAttributeList::Add(const char* name, const char* value) {
  if (name == nullptr || *name == '\0') return nullptr;
  if (CAttribute* existing = Find(name)) {
    existing->SetValue(value);
    return existing;
  }
  m_attributes.push_back(std::make_unique<CAttribute>(name, value));
  return m_attributes.back().get();
}

bool CAttributeList::Delete(const char* name) {
  const CAttribute* attribute = Find(name);
  if (attribute == nullptr) return false;
  std::erase_if(m_attributes, [attribute](const auto& owned) { return owned.get() == attribute; });
  return true;
}

CAttribute* CAttributeList::First(POSITION& position) const {
  position = m_attributes.empty() ? nullptr : PositionFromIndex(0);
  return Next(position);
}

CAttribute* CAttributeList::Next(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const std::size_t index = IndexFromPosition(position);
  if (index >= m_attributes.size()) {
    position = nullptr;
    return nullptr;
  }
  position = index + 1 < m_attributes.size() ? PositionFromIndex(index + 1) : nullptr;
  return m_attributes[index].get();
}

std::vector<AttributeValue> CAttributeList::GetValues() const {
  std::vector<AttributeValue> values;
  values.reserve(m_attributes.size());
  for (const auto& attribute : m_attributes) values.push_back({attribute->GetName(), attribute->GetValue()});
  return values;
}

void CAttributeList::Assign(const std::vector<AttributeValue>& values) {
  std::vector<std::unique_ptr<CAttribute>> kept;
  kept.reserve(values.size());
  for (const AttributeValue& value : values) {
    auto found = std::find_if(m_attributes.begin(), m_attributes.end(), [&value](const auto& attribute) {
      return attribute != nullptr && attribute->GetName() == value.name;
    });
    if (found != m_attributes.end()) {
      kept.push_back(std::move(*found));
      kept.back()->SetValue(value.value);
    } else {
      kept.push_back(std::make_unique<CAttribute>(value.name, value.value));
    }
  }
  m_attributes = std::move(kept);
}
