// CGate: one gate of a package record: the schematic symbol that draws it, the names of
// its terminals and, for this record's package, the PCB pin of each terminal. Terminals
// count from 1 to CountPins(); pin -1 means no pin and every other whole number, 0 and
// negative ones included, is an ordinary pin number.
#pragma once

#include <cstdint>

#include "host/model/component_value.h"
#include "platform/cstring.h"
#include "platform/object.h"

class CComponent;

class CGate : public CObject {
  DECLARE_DYNAMIC(CGate)

 public:
  // Terminal numbers and gate indexes travel in 16-bit halves of update hints.
  static constexpr int kMaxPins = 0x7FFF;
  static constexpr int kNoPin = -1;

  // A value whose id is 0 gets a fresh id.
  CGate(CComponent* owner, const GateValue& value);
  CGate(const CGate&) = delete;
  CGate& operator=(const CGate&) = delete;

  CComponent* GetComponent() const { return m_owner; }
  int GetIndex() const { return m_value.index; }

  const CString& GetSymbol() const { return m_value.symbol; }
  const CString& GetLibrary() const { return m_value.library; }
  // A null library keeps the gate's library.
  void SetSymbol(const char* symbol, const char* library = nullptr);
  void SetLibrary(const char* library) { m_value.library = library; }

  int CountPins() const { return static_cast<int>(m_value.terminals.size()); }
  // Empty for a terminal the gate does not have.
  CString GetPinName(int terminal) const;
  // Terminal names are the component's: the gate of this index in every other record of
  // the component takes the name too, where it has the terminal.
  bool SetPinName(int terminal, const char* name);
  // -1 for a terminal the gate does not have.
  int GetPinNumber(int terminal) const;
  // Any whole number is kept as given: -1 is no pin, numbers outside the package or
  // used twice are the validity check's to report. Refuses (false, with the last
  // error) only a terminal the gate does not have.
  bool SetPinNumber(int terminal, int pin);

  const GateValue& GetValue() const { return m_value; }

  static bool IsValidPinCount(int pins) { return pins >= 0 && pins <= kMaxPins; }

 private:
  friend class CComponent;

  bool HasTerminal(int terminal) const { return terminal >= 1 && terminal <= CountPins(); }
  void NameTerminal(int terminal, const char* name);
  bool RefuseTerminal(int terminal) const;
  void SetIndex(int index) { m_value.index = index; }
  // New terminals have no name and no pin.
  void ResizeTerminals(int pins);
  // Everything but the gate's identity.
  void Assign(const GateValue& value);
  void PinMapChanged();

  CComponent* m_owner;
  GateValue m_value;
};
