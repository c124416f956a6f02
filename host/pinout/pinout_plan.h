// CPinoutPlan: the gates a pinout table becomes, before anything is written: one gate per
// bank (pins without a bank and dedicated configuration pins in "CONFIG", supplies,
// grounds and unconnected pins in "POWER"), one per unit, or one for all. Each gate
// lists its pins in the natural order of their names, with their kinds, and the name of
// the symbol that will draw it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/pinout/pin_kind.h"
#include "host/pinout/pin_table.h"
#include "platform/cstring.h"

enum class PinGateSplit { Bank, Unit, None };

// "bank", "unit", "none".
bool ReadPinGateSplit(const std::string& word, PinGateSplit& split);

class CPinoutPlan {
 public:
  struct Gate {
    std::string label;  // "BANK 14", "CONFIG", "POWER", a unit's name; empty for a single gate
    CString symbol;
    std::vector<std::size_t> rows;  // terminal n is rows[n - 1] of the table
  };

  // False, with a message naming the line at fault, for a table that cannot be split so
  // (no unit column, a pin without a unit) or whose names the libraries cannot hold.
  // `kinds` gives the kind of a row (by its index) where the user chose one.
  bool Make(const PinTable& table, PinGateSplit split, const CString& component, CString& error,
            const std::map<std::size_t, PinKind>& kinds = {});

  const std::vector<Gate>& Gates() const { return m_gates; }
  // By table row.
  const std::vector<PinKind>& Kinds() const { return m_kinds; }

 private:
  bool Assign(const PinTable& table, PinGateSplit split, CString& error);
  bool CheckNames(const PinTable& table, const CString& component, CString& error);

  std::vector<Gate> m_gates;
  std::vector<PinKind> m_kinds;
};
