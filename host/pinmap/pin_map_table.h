// The pin map of a component as a table: one row per gate terminal, with the gate, the
// terminal number, the terminal name and one pin per package. It is what travels to and
// from spreadsheets (pin_map_text.h), and placing a table on a component's records says
// which pins it sets there and which of its rows fit nowhere.
#pragma once

#include <cstddef>
#include <vector>

#include "host/model/component_value.h"
#include "host/model/pin_labels.h"
#include "platform/cstring.h"

struct PinMapRow {
  int line = 0;      // the line of the text it was read from; 0 when collected
  int gate = -1;     // -1: the text left the gate empty
  int terminal = 0;  // 0: the text left the terminal number empty
  CString name;
  std::vector<int> pins;  // one per package column; -1: no pin
};

struct PinMapTable {
  std::vector<CString> packages;
  std::vector<PinMapRow> rows;
  // How each package column writes its pins; a column without labels uses numbers.
  std::vector<CPinLabels> labels;
};

// The labels of the footprint of the record of that package (ignoring case), found
// beside the component library; numbers only when no record has the package.
CPinLabels PackagePinLabels(const std::vector<ComponentValue>& records, const CString& package,
                            const CString& componentLibrary);
// Gives each package column of the table the labels of its package.
void LabelPinMap(PinMapTable& table, const std::vector<ComponentValue>& records,
                 const CString& componentLibrary);

// How the rows of a table find their terminals.
enum class PinMapMatch {
  GateAndTerminal,  // the gate and terminal number of the row
  TerminalName,     // the terminal name, ignoring case, within the row's gate when it names one
};

// One pin a placed row sets: on the record at `record` of the records placed on.
struct PinMapAssignment {
  std::size_t record = 0;
  int gate = 0;
  int terminal = 0;
  int pin = -1;
  bool operator==(const PinMapAssignment&) const = default;
};

// A row, or one pin of it, that fits no terminal, with the reason.
struct PinMapUnplaced {
  int line = 0;
  CString reason;
};

// A terminal name a row gives the terminal it was matched to by number, in every
// record that has the terminal.
struct PinMapRename {
  int line = 0;
  int gate = 0;
  int terminal = 0;
  CString name;
  bool operator==(const PinMapRename&) const = default;
};

struct PinMapPlacement {
  std::vector<PinMapAssignment> assignments;
  std::vector<PinMapUnplaced> unplaced;
  std::vector<PinMapRename> renames;
  // Pins that are set although their package's footprint has no such pad.
  std::vector<PinMapUnplaced> beyondPads;
  // Names the rows give that the name rules refuse: those terminals keep their names.
  std::vector<PinMapUnplaced> refusedNames;
  int placedRows = 0;
};

// The records' pin map, one row per terminal of each gate in gate order; a gate that
// only some records have shows no pin for the others. The names are those of the first
// record that has the gate.
PinMapTable CollectPinMap(const std::vector<ComponentValue>& records);

// False, with a message naming the column, when a package column names no record.
bool CheckPinMapPackages(const PinMapTable& table, const std::vector<ComponentValue>& records,
                         CString& error);

// Matches the table's rows to the records' terminals. False, with a message and no
// assignments, when a package column names no record; a row that fits nowhere is only
// reported. Matched by number, a row whose name differs from its terminal's renames it;
// an empty name leaves the terminal's as it is.
bool PlacePinMap(const PinMapTable& table, const std::vector<ComponentValue>& records, PinMapMatch match,
                 PinMapPlacement& placement, CString& error);

// Sets the assigned pins and the new names in the records the placement was made on.
void ApplyPinMap(const PinMapPlacement& placement, std::vector<ComponentValue>& records);
