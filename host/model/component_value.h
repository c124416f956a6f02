// The value of a package record: everything that a copy duplicates and an undo step
// restores, with the identities that tie a value to the live objects. Marks such as
// selection are not part of it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/model/attribute.h"
#include "platform/cstring.h"

struct TerminalValue {
  CString name;
  int pin = -1;  // -1: no pin
  bool operator==(const TerminalValue&) const = default;
};

struct GateValue {
  std::uint64_t id = 0;  // 0: not yet given to a gate
  int index = 0;
  CString symbol;
  CString library;
  std::vector<TerminalValue> terminals;  // terminal t is element t - 1
  bool operator==(const GateValue&) const = default;
};

struct ComponentValue {
  std::uint64_t id = 0;  // 0: not yet given to a record
  CString name;
  CString package;
  CString description;
  CString packageDescription;
  CString defaultReference;
  CString pcbSymbol;
  CString pcbLibrary;
  int pinCount = 0;
  bool pcbOnly = false;
  unsigned showNames = 0;
  std::vector<AttributeValue> attributes;
  std::vector<GateValue> gates;  // by ascending gate index
  bool operator==(const ComponentValue&) const = default;
};

// A fresh identity for a record or a gate, never 0 and never given twice.
std::uint64_t NewModelObjectId();

// Clears the identities that tie a value to live objects, for a copy of its own.
void ForgetIdentities(ComponentValue& value);

// One terminal's pin in the value it changes to.
struct PinChange {
  int gate = 0;
  int terminal = 0;
  int pin = -1;
  bool operator==(const PinChange&) const = default;
};

// The terminals whose pins differ from `shown` to `wanted`, when nothing else but the
// identities differs; nullopt when anything else does.
std::optional<std::vector<PinChange>> PinChangesBetween(ComponentValue shown, ComponentValue wanted);

// A terminal whose pin, name or both differ between two values of one record, by gate
// index and terminal number (from 1).
struct TerminalChange {
  int gate = 0;
  int terminal = 0;
  bool pin = false;
  bool name = false;
  bool operator==(const TerminalChange&) const = default;
};

// The terminals whose pins or names differ from `shown` to `wanted`, when the gates
// are the same gates with as many terminals and nothing else differs; nullopt when
// anything else does. Compares in place, so an undo of a big part costs no copy.
std::optional<std::vector<TerminalChange>> TerminalChangesBetween(const ComponentValue& shown,
                                                                  const ComponentValue& wanted);
