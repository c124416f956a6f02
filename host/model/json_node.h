// CJsonNode: strict, checked access to one value of a parsed file. Each node knows its
// place as a JSON pointer; the first problem ends the read by throwing a CFormatError
// that names that place, which CJsonDocument turns into the reader's error message.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CFormatError {
  std::string place;  // a JSON pointer, or a line and column for malformed JSON
  std::string problem;
};

class CJsonNode {
 public:
  CJsonNode(const nlohmann::json& value, std::string pointer)
      : m_value(&value), m_pointer(std::move(pointer)) {}

  const std::string& Pointer() const { return m_pointer; }

  // This node must be an object.
  void ExpectObject() const;
  // This node must be an object with exactly these members.
  void ExpectMembers(std::initializer_list<std::string_view> names) const;
  // A member that ExpectMembers has vouched for.
  CJsonNode Member(std::string_view name) const;
  // This node must be an array.
  std::vector<CJsonNode> Elements() const;

  bool IsNull() const { return m_value->is_null(); }
  std::int64_t Integer(std::int64_t min, std::int64_t max) const;
  int Int(int min, int max) const { return static_cast<int>(Integer(min, max)); }
  bool Boolean() const;
  // A string without control characters, of 1 to maxLength bytes (0 to maxLength when
  // empty is allowed).
  std::string String(size_t maxLength, bool allowEmpty = false) const;
  // The index of the string among the choices.
  size_t Choice(std::span<const std::string_view> choices) const;

  [[noreturn]] void Fail(std::string problem) const;

  static std::string EscapePointerToken(std::string_view token);

 private:
  std::string TypeName() const;
  [[noreturn]] void FailType(std::string_view expected) const;

  const nlohmann::json* m_value;
  std::string m_pointer;
};
