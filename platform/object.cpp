#include "platform/object.h"

#include <algorithm>
#include <string_view>

namespace {
std::vector<const CRuntimeClass*>& Registry() {
  static std::vector<const CRuntimeClass*> classes;
  return classes;
}
}  // namespace

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass) {
    if (cls == base) return true;
  }
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  for (const CRuntimeClass* cls : Registry()) {
    if (name == cls->m_lpszClassName) return cls;
  }
  return nullptr;
}

void CRuntimeClass::Register(const CRuntimeClass* cls) {
  auto& classes = Registry();
  if (std::find(classes.begin(), classes.end(), cls) == classes.end()) classes.push_back(cls);
}

const CRuntimeClass* CObject::GetThisClass() {
  static const CRuntimeClass cls{"CObject", nullptr, nullptr};
  return &cls;
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
  return GetThisClass();
}
