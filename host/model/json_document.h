// CJsonDocument: reading and writing the model's JSON files. Reading is strict: the
// text must be well-formed JSON without repeated member names or deep nesting, and the
// first problem becomes one message naming the file and the place. Formatting gives
// stable output: members sorted, two-space indent, a final newline.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "host/model/json_node.h"
#include "platform/cstring.h"

class CJsonDocument {
 public:
  // Files past this size are refused unread.
  static constexpr std::uintmax_t kMaxFileSize = 64u << 20;
  // Deeper nesting than any of the formats uses is refused.
  static constexpr int kMaxDepth = 16;

  // Parses text and hands its root to read, which throws CFormatError on the first
  // problem. False, with the message in error, when either step fails.
  static bool Read(std::string_view text, const CString& source,
                   const std::function<void(const CJsonNode&)>& read, CString& error);
  // The whole file; false, with the reason in error, when it cannot be read.
  static bool LoadText(const CString& path, std::string& text, CString& error);

  static std::string Format(const nlohmann::json& document);

 private:
  static bool Parse(std::string_view text, nlohmann::json& document, CFormatError& problem);
};
