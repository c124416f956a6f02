#include "host/model/json_document.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

namespace {

using nlohmann::json;

// Follows the parser's events to find the first member name repeated within one object
// and any nesting past the limit, naming the place as a JSON pointer.
class StructureCheck {
 public:
  bool OnEvent(int depth, json::parse_event_t event, const json& parsed) {
    if (m_problem) return false;
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        return Enter(depth, event == json::parse_event_t::object_start);
      case json::parse_event_t::key:
        return OnKey(parsed.get<std::string>());
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        if (!m_frames.empty()) m_frames.pop_back();
        CountElement();
        return true;
      case json::parse_event_t::value:
        CountElement();
        return true;
    }
    return true;
  }

  const std::optional<CFormatError>& Problem() const { return m_problem; }

 private:
  struct Frame {
    bool isObject = false;
    std::set<std::string> keys;
    std::string lastKey;
    size_t index = 0;
  };

  bool Enter(int depth, bool isObject) {
    if (depth >= CJsonDocument::kMaxDepth) {
      m_problem = CFormatError{PointerToChild(), "the values nest too deeply"};
      return false;
    }
    m_frames.push_back(Frame{isObject, {}, {}, 0});
    return true;
  }

  bool OnKey(const std::string& key) {
    if (m_frames.empty()) return true;
    Frame& frame = m_frames.back();
    frame.lastKey = key;
    if (frame.keys.insert(key).second) return true;
    m_problem = CFormatError{PointerToChild(), "the member \"" + key + "\" appears twice"};
    return false;
  }

  void CountElement() {
    if (!m_frames.empty() && !m_frames.back().isObject) ++m_frames.back().index;
  }

  // The place of the value that the innermost container is reading now.
  std::string PointerToChild() const {
    std::string pointer;
    for (const Frame& frame : m_frames) {
      pointer += "/";
      pointer += frame.isObject ? CJsonNode::EscapePointerToken(frame.lastKey) : std::to_string(frame.index);
    }
    return pointer;
  }

  std::vector<Frame> m_frames;
  std::optional<CFormatError> m_problem;
};

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
  StructureCheck check;
  json::parser_callback_t callback = [&check](int depth, json::parse_event_t event, json& parsed) {
    return check.OnEvent(depth, event, parsed);
  };
  try {
    document = json::parse(text.begin(), text.end(), callback);
  } catch (const json::parse_error& error) {
    problem =
        CFormatError{LineAndColumn(text, error.byte), "the JSON is malformed: " + ParserExplanation(error)};
    return false;
  } catch (const json::exception& error) {
    problem = CFormatError{"", "the JSON is malformed: " + ParserExplanation(error)};
    return false;
  }
  if (!check.Problem()) return true;
  problem = *check.Problem();
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
  std::error_code code;
  const std::uintmax_t size = std::filesystem::file_size(path.str(), code);
  if (!code && size > kMaxFileSize) code = std::make_error_code(std::errc::file_too_large);
  if (code) {
    error.FormatMessage("Cannot read \"%1\": %2.", path, code.message());
    return false;
  }
  std::ifstream file(path.str(), std::ios::binary);
  text.assign(static_cast<size_t>(size), '\0');
  if (!file.read(text.data(), static_cast<std::streamsize>(size)) ||
      file.peek() != std::char_traits<char>::eof()) {
    error.FormatMessage("Cannot read \"%1\": the file could not be read whole.", path);
    return false;
  }
  return true;
}

std::string CJsonDocument::Format(const json& document) {
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
