#include "host/model/json_document.h"

#include <optional>
#include <vector>

#include "platform/regular_file.h"

namespace {

using nlohmann::json;

// "line 3, column 7" for a byte offset counted from 1, as the parser reports it.
std::string LineAndColumn(std::string_view text, size_t byte) {
  const size_t end = std::min(byte == 0 ? 0 : byte - 1, text.size());
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's own explanation, without its tag and position.
std::string ParserExplanation(const json::exception& error) {
  std::string what = error.what();
  const size_t tag = what.find("] ");
  if (tag != std::string::npos) what.erase(0, tag + 2);
  const size_t column = what.find("column ");
  const size_t start = column == std::string::npos ? std::string::npos : what.find(": ", column);
  return start == std::string::npos ? what : what.substr(start + 2);
}

// Builds the document from the parser's events as they come, and finds on the way the
// first member name repeated within one object and any nesting past the limit, naming
// the place as a JSON pointer. One pass, with no callback per event and no set of names
// beside each object: reading a big library spent a third of its time on those.
class DocumentBuilder {
 public:
  DocumentBuilder(std::string_view text, json& root) : m_text(text), m_root(root) {}

  const std::optional<CFormatError>& Problem() const { return m_problem; }

  bool null() { return Add(nullptr); }
  bool boolean(bool value) { return Add(value); }
  bool number_integer(json::number_integer_t value) { return Add(value); }
  bool number_unsigned(json::number_unsigned_t value) { return Add(value); }
  bool number_float(json::number_float_t value, const json::string_t&) { return Add(value); }
  bool string(json::string_t& value) { return Add(std::move(value)); }
  bool binary(json::binary_t& value) { return Add(std::move(value)); }
  bool start_object(std::size_t) { return Enter(json::value_t::object); }
  bool start_array(std::size_t) { return Enter(json::value_t::array); }
  bool end_object() { return Leave(); }
  bool end_array() { return Leave(); }

  bool key(json::string_t& name) {
    auto& members = m_frames.back().container->get_ref<json::object_t&>();
    const auto [member, added] = members.try_emplace(std::move(name));
    m_frames.back().key = &member->first;
    m_member = &member->second;
    if (added) return true;
    m_problem = CFormatError{PointerToChild(), "the member \"" + member->first + "\" appears twice"};
    return false;
  }

  // A mistake in the text has a line and column; a number too big for the parser has
  // no place.
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    if (const auto* malformed = dynamic_cast<const json::parse_error*>(&error)) {
      m_problem = CFormatError{LineAndColumn(m_text, malformed->byte),
                               "the JSON is malformed: " + ParserExplanation(*malformed)};
    } else {
      m_problem = CFormatError{"", "the JSON is malformed: " + ParserExplanation(error)};
    }
    return false;
  }

 private:
  struct Frame {
    json* container = nullptr;
    const std::string* key = nullptr;  // the member read now; in the object's own map
    size_t index = 0;                  // the element read now, in an array
  };

  // Where the next value goes: the root, the end of the array, or the member just named.
  template <typename Value>
  json* Place(Value&& value) {
    if (m_frames.empty()) {
      m_root = json(std::forward<Value>(value));
      return &m_root;
    }
    json& container = *m_frames.back().container;
    if (container.is_array()) {
      auto& elements = container.get_ref<json::array_t&>();
      elements.emplace_back(std::forward<Value>(value));
      return &elements.back();
    }
    *m_member = json(std::forward<Value>(value));
    return m_member;
  }

  template <typename Value>
  bool Add(Value&& value) {
    Place(std::forward<Value>(value));
    CountElement();
    return true;
  }

  bool Enter(json::value_t kind) {
    if (m_frames.size() >= static_cast<size_t>(CJsonDocument::kMaxDepth)) {
      m_problem = CFormatError{PointerToChild(), "the values nest too deeply"};
      return false;
    }
    json* container = Place(kind);
    m_frames.push_back(Frame{container, nullptr, 0});
    return true;
  }

  bool Leave() {
    m_frames.pop_back();
    CountElement();
    return true;
  }

  void CountElement() {
    if (!m_frames.empty() && m_frames.back().container->is_array()) ++m_frames.back().index;
  }

  // The place of the value that the innermost container is reading now.
  std::string PointerToChild() const {
    std::string pointer;
    for (const Frame& frame : m_frames) {
      pointer += "/";
      if (!frame.container->is_array()) {
        pointer += frame.key != nullptr ? CJsonNode::EscapePointerToken(*frame.key) : std::string();
      } else {
        pointer += std::to_string(frame.index);
      }
    }
    return pointer;
  }

  std::string_view m_text;
  json& m_root;
  std::vector<Frame> m_frames;
  json* m_member = nullptr;  // the member named last, in the innermost object
  std::optional<CFormatError> m_problem;
};

// A problem without a place (a number too big for the parser, a root that is not an
// object) reads "Cannot read "file": problem."
CString Describe(const CString& source, const CFormatError& error) {
  CString text;
  if (error.place.empty()) {
    text.FormatMessage("Cannot read \"%1\": %2.", source, error.problem);
  } else {
    text.FormatMessage("Cannot read \"%1\" at %2: %3.", source, error.place, error.problem);
  }
  return text;
}

}  // namespace

bool CJsonDocument::Parse(std::string_view text, json& document, CFormatError& problem) {
  DocumentBuilder builder(text, document);
  try {
    if (json::sax_parse(text.begin(), text.end(), &builder)) return true;
  } catch (const json::exception& error) {
    problem = CFormatError{"", "the JSON is malformed: " + ParserExplanation(error)};
    return false;
  }
  problem = builder.Problem().value_or(CFormatError{"", "the JSON is malformed"});
  return false;
}

bool CJsonDocument::Read(std::string_view text, const CString& source,
                         const std::function<void(const CJsonNode&)>& read, CString& error) {
  json document;
  CFormatError problem;
  if (!Parse(text, document, problem)) {
    error = Describe(source, problem);
    return false;
  }
  try {
    read(CJsonNode(document, ""));
  } catch (const CFormatError& failure) {
    error = Describe(source, failure);
    return false;
  }
  return true;
}

bool CJsonDocument::LoadText(const CString& path, std::string& text, CString& error) {
  return ReadRegularFile(path, text, kMaxFileSize, error);
}

std::string CJsonDocument::Format(const json& document) {
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
