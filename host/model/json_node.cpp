#include "host/model/json_node.h"

#include <algorithm>

namespace {

bool IsControl(char ch) {
  return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

std::string CJsonNode::EscapePointerToken(std::string_view token) {
  std::string escaped;
  for (char ch : token) {
    if (ch == '~') {
      escaped += "~0";
    } else if (ch == '/') {
      escaped += "~1";
    } else {
      escaped += ch;
    }
  }
  return escaped;
}

void CJsonNode::Fail(std::string problem) const {
  throw CFormatError{m_pointer, std::move(problem)};
}

std::string CJsonNode::TypeName() const {
  if (m_value->is_number_float()) return "a decimal number";
  if (m_value->is_number()) return "an integer";
  const std::string name = m_value->type_name();
  return (name == "array" || name == "object" ? "an " : "a ") + name;
}

void CJsonNode::FailType(std::string_view expected) const {
  Fail("expected " + std::string(expected) + ", found " + TypeName());
}

void CJsonNode::ExpectObject() const {
  if (!m_value->is_object()) FailType("an object");
}

void CJsonNode::ExpectMembers(std::initializer_list<std::string_view> names) const {
  ExpectObject();
  for (std::string_view name : names) {
    if (!m_value->contains(name)) {
      CJsonNode(*m_value, m_pointer + "/" + EscapePointerToken(name)).Fail("required member is missing");
    }
  }
  for (const auto& [key, value] : m_value->items()) {
    if (std::find(names.begin(), names.end(), key) == names.end()) {
      CJsonNode(value, m_pointer + "/" + EscapePointerToken(key)).Fail("unknown member " + Quoted(key));
    }
  }
}

CJsonNode CJsonNode::Member(std::string_view name) const {
  const auto found = m_value->find(name);
  if (found == m_value->end()) {
    CJsonNode(*m_value, m_pointer + "/" + EscapePointerToken(name)).Fail("required member is missing");
  }
  return CJsonNode(*found, m_pointer + "/" + EscapePointerToken(name));
}

std::vector<CJsonNode> CJsonNode::Elements() const {
  if (!m_value->is_array()) FailType("an array");
  std::vector<CJsonNode> elements;
  elements.reserve(m_value->size());
  for (size_t i = 0; i < m_value->size(); ++i) {
    elements.emplace_back((*m_value)[i], m_pointer + "/" + std::to_string(i));
  }
  return elements;
}

std::int64_t CJsonNode::Integer(std::int64_t min, std::int64_t max) const {
  if (!m_value->is_number_integer()) FailType("an integer");
  const bool tooBig =
      m_value->is_number_unsigned() && m_value->get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX);
  const std::int64_t value = tooBig ? INT64_MAX : m_value->get<std::int64_t>();
  if (value < min || value > max) {
    Fail("the number " + m_value->dump() + " is out of range (" + std::to_string(min) + " to " +
         std::to_string(max) + ")");
  }
  return value;
}

bool CJsonNode::Boolean() const {
  if (!m_value->is_boolean()) FailType("true or false");
  return m_value->get<bool>();
}

std::string CJsonNode::String(size_t maxLength, bool allowEmpty) const {
  if (!m_value->is_string()) FailType("a string");
  const std::string& text = m_value->get_ref<const std::string&>();
  if (text.empty() && !allowEmpty) Fail("the text is empty");
  if (text.size() > maxLength) Fail("the text is longer than " + std::to_string(maxLength) + " bytes");
  if (std::any_of(text.begin(), text.end(), IsControl)) Fail("the text holds a control character");
  return text;
}

size_t CJsonNode::Choice(std::span<const std::string_view> choices) const {
  if (!m_value->is_string()) FailType("a string");
  const std::string& text = m_value->get_ref<const std::string&>();
  const auto found = std::find(choices.begin(), choices.end(), text);
  if (found != choices.end()) return static_cast<size_t>(found - choices.begin());
  std::string list;
  for (std::string_view choice : choices) list += (list.empty() ? "" : ", ") + Quoted(choice);
  Fail("expected one of " + list + ", found " + Quoted(text));
}
