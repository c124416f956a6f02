#include "host/uitools/validators.h"

#include <string_view>

#include "host/utility/app_error.h"

namespace {

struct NameRules {
  const char* what;  // how a message names the text, capitalised: "Package name"
  int maxLength;
  bool required;
};

bool IsContinuationByte(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

int CountCharacters(std::string_view text) {
  int count = 0;
  for (const char ch : text) {
    if (!IsContinuationByte(static_cast<unsigned char>(ch))) ++count;
  }
  return count;
}

// C0 controls, DEL, and the C1 controls U+0080..U+009F (UTF-8 C2 80..C2 9F).
bool HasControlCharacter(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) return true;
    if (byte == 0xC2 && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return true;
    }
  }
  return false;
}

bool Refuse(const CString& message) {
  CAppError::SetLastErrorText(message);
  return false;
}

bool ValidName(const CString& name, const NameRules& rules) {
  CString message;
  if (name.IsEmpty()) {
    if (!rules.required) return true;
    message.Format("%s cannot be empty.", rules.what);
    return Refuse(message);
  }
  if (HasControlCharacter(name)) {
    message.Format("%s cannot contain control characters such as tabs or line breaks.", rules.what);
    return Refuse(message);
  }
  if (name[0] == ' ' || name[name.GetLength() - 1] == ' ') {
    message.Format("%s \"%s\" cannot begin or end with a blank.", rules.what, name);
    return Refuse(message);
  }
  if (CountCharacters(name) > rules.maxLength) {
    message.Format("%s cannot be longer than %d characters.", rules.what, rules.maxLength);
    return Refuse(message);
  }
  return true;
}

bool IsAsciiLetter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

}  // namespace

bool ValidComponentName(const CString& name) {
  return ValidName(name, {"Component name", kMaxNameLength, true});
}

bool ValidPackageName(const CString& name) {
  return ValidName(name, {"Package name", kMaxNameLength, true});
}

bool ValidSymbolName(const CString& name) {
  return ValidName(name, {"Symbol name", kMaxSymbolNameLength, true});
}

bool ValidPinName(const CString& name) {
  return ValidName(name, {"Terminal name", kMaxPinNameLength, false});
}

bool ValidDefaultReferenceStem(const CString& stem) {
  CString message;
  if (stem.IsEmpty()) return Refuse("Default reference cannot be empty.");
  for (const char ch : stem.str()) {
    if (IsAsciiLetter(ch)) continue;
    message.Format("Default reference \"%s\" can contain only the letters A to Z, without digits or blanks.",
                   stem);
    return Refuse(message);
  }
  if (stem.GetLength() > kMaxReferenceStemLength) {
    message.Format("Default reference cannot be longer than %d letters.", kMaxReferenceStemLength);
    return Refuse(message);
  }
  return true;
}
