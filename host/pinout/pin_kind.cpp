#include "host/pinout/pin_kind.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace {

std::string Upper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string LettersAndDigits(const std::string& text) {
  std::string kept;
  for (const char c : Upper(text))
    if (std::isalnum(static_cast<unsigned char>(c))) kept += c;
  return kept;
}

bool StartsWithAny(const std::string& text, std::initializer_list<const char*> stems) {
  return std::any_of(stems.begin(), stems.end(), [&](const char* stem) { return text.starts_with(stem); });
}

bool IsAny(const std::string& text, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* word) { return text == word; });
}

// "DONE_0" -> "DONE": the bank a dedicated pin sits in is no part of what it is.
std::string WithoutBankSuffix(const std::string& name) {
  const std::size_t underscore = name.find_last_of('_');
  if (underscore == std::string::npos || underscore + 1 >= name.size()) return name;
  for (std::size_t i = underscore + 1; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return name;
  return name.substr(0, underscore);
}

}  // namespace

const char* PinKindName(PinKind kind) {
  switch (kind) {
    case PinKind::Input:
      return "input";
    case PinKind::Output:
      return "output";
    case PinKind::Bidirectional:
      return "bidirectional";
    case PinKind::Passive:
      return "passive";
    case PinKind::Power:
      return "power";
    case PinKind::Ground:
      return "ground";
    case PinKind::NoConnect:
      return "no-connect";
  }
  return "passive";
}

PinKind GuessPinKind(const std::string& name) {
  const std::string upper = Upper(name);
  if (StartsWithAny(upper, {"GND", "VSS", "AGND", "DGND", "PGND", "AVSS", "DVSS"})) return PinKind::Ground;
  if (StartsWithAny(upper, {"VCC", "VDD", "VPP", "VIO", "AVCC", "AVDD", "DVCC", "DVDD", "MGTAVCC", "MGTAVTT",
                            "MGTVCCAUX", "VTT", "VBAT"}))
    return PinKind::Power;
  if (IsAny(upper, {"NC", "N/C", "N.C.", "DNC", "NO CONNECT"})) return PinKind::NoConnect;
  const std::string base = WithoutBankSuffix(upper);
  if (IsAny(base, {"TDO", "DOUT", "CDONE"})) return PinKind::Output;
  if (IsConfigurationPin("", name)) return PinKind::Input;
  return PinKind::Bidirectional;
}

std::optional<PinKind> PinKindOfType(const std::string& type, const std::string& name) {
  const std::string folded = LettersAndDigits(type);
  if (IsAny(folded, {"I", "IN", "INPUT"})) return PinKind::Input;
  if (IsAny(folded, {"O", "OUT", "OUTPUT"})) return PinKind::Output;
  if (IsAny(folded, {"IO", "INOUT", "BIDIR", "BIDIRECTIONAL"})) return PinKind::Bidirectional;
  if (IsAny(folded, {"P", "PASSIVE", "ANALOG"})) return PinKind::Passive;
  if (IsAny(folded, {"GND", "GROUND"})) return PinKind::Ground;
  if (IsAny(folded, {"NC", "NOCONNECT", "NOTCONNECTED", "UNCONNECTED"})) return PinKind::NoConnect;
  if (IsAny(folded, {"PWR", "POWER", "SUPPLY", "POWERIN", "POWERINPUT"}))
    return GuessPinKind(name) == PinKind::Ground ? PinKind::Ground : PinKind::Power;
  return std::nullopt;
}

PinKind ReadPinKind(const std::string& type, const std::string& name) {
  return PinKindOfType(type, name).value_or(GuessPinKind(name));
}

bool IsConfigurationPin(const std::string& type, const std::string& name) {
  if (Upper(type) == "CONFIG") return true;
  return IsAny(WithoutBankSuffix(Upper(name)),
               {"TCK",    "TDI",   "TDO",       "TMS",      "TRST",     "TRSTN", "DONE", "CDONE",
                "INIT_B", "INITN", "PROGRAM_B", "PROGRAMN", "CRESET_B", "CCLK",  "MCLK", "M0",
                "M1",     "M2",    "CFGBVS",    "JTAGEN",   "CFG0",     "CFG1",  "CFG2", "POR_OVERRIDE"});
}
