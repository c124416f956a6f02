#include "host/utility/utf8_text.h"

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the character that begins at text[at], or 0 when its bytes are not a
// character.
size_t CharacterLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;  // the range the second byte must fall in
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
  return length;
}

}  // namespace

std::optional<size_t> FindInvalidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = CharacterLength(text, at);
    if (length == 0) return at;
    at += length;
  }
  return std::nullopt;
}

CString DescribeInvalidUtf8(const char* what, std::string_view text) {
  CString message;
  const std::optional<size_t> at = FindInvalidUtf8(text);
  if (!at) return message;
  message.Format("%s is not valid UTF-8: byte %zu (0x%02X) is not part of a character.", what, *at + 1,
                 static_cast<unsigned>(static_cast<unsigned char>(text[*at])));
  return message;
}
