// The electrical kind of a pin of a pinout table: the kind the table gives where it
// gives one this program knows, else one guessed from the pin's name (supplies, grounds,
// no-connects, I/O). The kind decides where the pin stands on its generated symbol.
#pragma once

#include <optional>
#include <string>

enum class PinKind { Input, Output, Bidirectional, Passive, Power, Ground, NoConnect };

// "input", "output", "bidirectional", "passive", "power", "ground", "no-connect".
const char* PinKindName(PinKind kind);
PinKind GuessPinKind(const std::string& name);
// The kind a table's type names (in, output, I/O, supply, GND, NC, ...); none for another.
std::optional<PinKind> PinKindOfType(const std::string& type, const std::string& name);
// The table's type when it names a kind (in, output, I/O, supply, GND, NC, ...), else the
// guess from the name.
PinKind ReadPinKind(const std::string& type, const std::string& name);
// A dedicated pin of configuration or test (JTAG, mode, done, program), by its name
// without a bank suffix, or by the table's type "CONFIG".
bool IsConfigurationPin(const std::string& type, const std::string& name);
