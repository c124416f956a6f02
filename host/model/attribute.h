// CAttribute: a named value carried by a design or a component, and CAttributeList, the
// ordered set of them. Names compare ignoring case, so a list never holds two
// attributes whose names differ only in case.
#pragma once

#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/position.h"

struct AttributeValue {
  CString name;
  CString value;
  bool operator==(const AttributeValue&) const = default;
};

class CAttribute : public CObject {
  DECLARE_DYNAMIC(CAttribute)

 public:
  CAttribute(const CString& name, const CString& value) : m_name(name), m_value(value) {}

  const CString& GetName() const { return m_name; }
  const CString& GetValue() const { return m_value; }
  void SetValue(const char* value) { m_value = value; }

 private:
  CString m_name;
  CString m_value;
};

class CAttributeList {
 public:
  CAttributeList() = default;
  CAttributeList(const CAttributeList&) = delete;
  CAttributeList& operator=(const CAttributeList&) = delete;

  // Null when no attribute has the name.
  CAttribute* Find(const char* name) const;
  // Adding a name already present sets that attribute's value instead. An empty name
  // is refused with null.
  CAttribute* Add(const char* name, const char* value);
  bool Delete(const char* name);
  int Count() const { return static_cast<int>(m_attributes.size()); }
  CAttribute* First(POSITION& position) const;
  CAttribute* Next(POSITION& position) const;

  std::vector<AttributeValue> GetValues() const;
  // Becomes exactly `values`, in their order; attributes whose names stay keep their
  // objects.
  void Assign(const std::vector<AttributeValue>& values);
  void Clear() { m_attributes.clear(); }

 private:
  std::vector<std::unique_ptr<CAttribute>> m_attributes;
};
