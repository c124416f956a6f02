// CPinLabels: how the pins of a package are written wherever the user sees or types
// one. A footprint that names its lands (BGA balls A1 ... AB12, EP for an exposed pad)
// has its pins written by those names; every other pin is written as its number. With
// no footprint, or one numbered 1..n, a pin is its number and nothing else. Labels
// never change once made, so copies share them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/cstring.h"

class CComponent;
class CSymbol;

class CPinLabels {
 public:
  CPinLabels() = default;
  // The names of the footprint's numbered lands; null gives numbers only.
  explicit CPinLabels(const CSymbol* footprint);

  // The labels of the footprint the package record places, found beside the
  // component library as the PCB drawing finds it; numbers only when it cannot be
  // read (the drawing reports why).
  static CPinLabels ForPackage(const CComponent& record, const CString& componentLibrary);
  static CPinLabels ForFootprint(const CString& library, const CString& symbol,
                                 const CString& componentLibrary);

  // A land's label that names it otherwise than by its number: it holds a character
  // that is no digit.
  static bool IsPadName(const CString& label);

  bool HasNames() const { return m_tables != nullptr && !m_tables->names.empty(); }
  // Empty for no pin (-1), the land's name for a named pin, otherwise the number.
  CString Text(int pin) const;
  // Reads what the user typed, blanks round it aside: empty text is no pin (-1), a
  // whole number is that pin, a name of the footprint (ignoring case) is its pin.
  // False for anything else.
  bool Read(std::string_view text, int& pin) const;
  // The message for text that Read refuses: ""x" is not a pin number" or, where the
  // footprint names its pins, "... nor a pad name of FOOTPRINT".
  CString Refusal(std::string_view text) const;

 private:
  struct Tables {
    CString footprint;
    std::unordered_map<int, CString> names;
    std::unordered_map<std::string, int> pins;  // by name in lower case
  };

  std::shared_ptr<const Tables> m_tables;  // null for numbers only
};
