// CObject and CRuntimeClass: kind tags, dynamic creation and class names.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;
  std::unique_ptr<CObject> (*m_pfnCreateObject)();

  // Null when the class is not dynamically creatable.
  std::unique_ptr<CObject> CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  bool IsCreatable() const { return m_pfnCreateObject != nullptr; }

  // Looks a class up by name among every registered class (host and modules).
  static const CRuntimeClass* FromName(std::string_view name);
  static void Register(const CRuntimeClass* cls);
};

class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  static const CRuntimeClass* GetThisClass();
  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// Registers a class by name for the lifetime of the program.
struct RuntimeClassRegistrar {
  explicit RuntimeClassRegistrar(const CRuntimeClass* cls) { CRuntimeClass::Register(cls); }
};

// Casts to T when obj is of that kind, else null.
template <class T>
T* DynamicDowncast(CObject* obj) {
  return obj != nullptr && obj->IsKindOf(T::GetThisClass()) ? static_cast<T*>(obj) : nullptr;
}
template <class T>
const T* DynamicDowncast(const CObject* obj) {
  return obj != nullptr && obj->IsKindOf(T::GetThisClass()) ? static_cast<const T*>(obj) : nullptr;
}

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)           \
 public:                                      \
  static const CRuntimeClass* GetThisClass(); \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static std::unique_ptr<CObject> CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_name, creator)                     \
  const CRuntimeClass* class_name::GetThisClass() {                                 \
    static const CRuntimeClass cls{#class_name, RUNTIME_CLASS(base_name), creator}; \
    return &cls;                                                                    \
  }                                                                                 \
  const CRuntimeClass* class_name::GetRuntimeClass() const {                        \
    return class_name::GetThisClass();                                              \
  }                                                                                 \
  static const RuntimeClassRegistrar class_name##_registrar_{class_name::GetThisClass()};

#define IMPLEMENT_DYNAMIC(class_name, base_name) IMPLEMENT_RUNTIMECLASS_(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)      \
  std::unique_ptr<CObject> class_name::CreateObject() { \
    return std::unique_ptr<CObject>(new class_name);    \
  }                                                     \
  IMPLEMENT_RUNTIMECLASS_(class_name, base_name, &class_name::CreateObject)
