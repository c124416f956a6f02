// The name validators: what each accepts, and the message a refusal leaves behind.
#include "host/uitools/validators.h"

#include <gtest/gtest.h>

#include <string>

#include "host/utility/app_error.h"

namespace {

using Validator = bool (*)(const CString&);

struct Case {
  Validator valid;
  std::string text;
  const char* message;  // a part of the recorded message; null: accepted
};

TEST(ValidatorsTest, AcceptUsualNamesAndRefuseEachBrokenRuleByName) {
  const std::string longest(kMaxNameLength, 'x');
  const std::string longestPin(kMaxPinNameLength, 'p');
  // Characters, not bytes, are counted: 64 two-byte letters make a name of 64.
  std::string umlauts;
  for (int i = 0; i < kMaxNameLength; ++i) umlauts += "\xC3\xA4";
  const Case cases[] = {
      {&ValidComponentName, "74HC00", nullptr},
      {&ValidComponentName, "", "Component name cannot be empty."},
      {&ValidComponentName, "A\tB", "Component name cannot contain control characters"},
      {&ValidComponentName, "A\xC2\x85", "control characters"},
      {&ValidComponentName, longest, nullptr},
      {&ValidComponentName, longest + "x", "Component name cannot be longer than 64 characters."},
      {&ValidComponentName, umlauts, nullptr},
      {&ValidComponentName, umlauts + "\xC3\xA4", "cannot be longer than 64 characters"},
      {&ValidPackageName, " SOIC-8", "Package name \" SOIC-8\" cannot begin or end with a blank."},
      {&ValidPackageName, "SOIC-8 ", "cannot begin or end with a blank"},
      {&ValidSymbolName, "", "Symbol name cannot be empty."},
      {&ValidSymbolName, std::string(kMaxSymbolNameLength, 'f'), nullptr},
      {&ValidSymbolName, std::string(kMaxSymbolNameLength + 1, 'f'), "cannot be longer than 255 characters"},
      {&ValidPinName, "", nullptr},
      {&ValidPinName, longestPin + "p", "Terminal name cannot be longer than 32 characters."},
      {&ValidPinName, " A", "Terminal name \" A\" cannot begin or end with a blank."},
      {&ValidDefaultReferenceStem, "led", nullptr},
      {&ValidDefaultReferenceStem, "ABCDEFGHI", "Default reference cannot be longer than 8 letters."},
      {&ValidDefaultReferenceStem, "", "Default reference cannot be empty."},
      {&ValidDefaultReferenceStem, "U1", "Default reference \"U1\" can contain only the letters A to Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    CAppError::SetLastErrorText("untouched");
    const bool accepted = c.valid(CString(c.text));
    const CString said = CAppError::GetLastError();
    EXPECT_EQ(accepted, c.message == nullptr);
    EXPECT_TRUE(c.message == nullptr ? said == "untouched" : said.Find(c.message) != -1) << said.str();
  }
}

}  // namespace
