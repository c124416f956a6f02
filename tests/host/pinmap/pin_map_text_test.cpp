// Pin maps through spreadsheet text: what an export writes comes back as the same pin
// maps, and text that cannot be a pin map is refused with the place of the fault.
#include "host/pinmap/pin_map_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/symbol.h"
#include "host/pinmap/pin_map_table.h"

namespace {

// Records of `gates` gates of terminals named T<n>, in two packages whose pins differ.
std::vector<ComponentValue> GeneratedRecords(int gates, int terminalsPerGate) {
  std::vector<ComponentValue> records(2);
  for (int r = 0; r < 2; ++r) {
    records[r].name = "BIG";
    records[r].package = r == 0 ? "BGA-2000" : "QFP-2000";
    for (int g = 0; g < gates; ++g) {
      GateValue gate;
      gate.index = g;
      gate.symbol = "BUS";
      for (int t = 1; t <= terminalsPerGate; ++t) {
        const int n = g * terminalsPerGate + t;
        gate.terminals.push_back(
            {CString("T" + std::to_string(n)), r == 0 ? n : (n % 7 == 0 ? -1 : 2001 - n)});
      }
      records[r].gates.push_back(gate);
    }
  }
  return records;
}

// Exports, clears every pin, imports back; the pin maps must be the originals.
void ExpectRoundTrip(const std::vector<ComponentValue>& records, PinMapSeparator separator,
                     PinMapMatch match) {
  const std::string text = FormatPinMap(CollectPinMap(records), separator);
  std::vector<ComponentValue> cleared = records;
  for (ComponentValue& record : cleared)
    for (GateValue& gate : record.gates)
      for (TerminalValue& terminal : gate.terminals) terminal.pin = -2;
  PinMapTable table;
  CString error;
  ASSERT_TRUE(ParsePinMap(text, "pins.csv", table, error)) << error.c_str();
  PinMapPlacement placement;
  ASSERT_TRUE(PlacePinMap(table, cleared, match, placement, error)) << error.c_str();
  EXPECT_TRUE(placement.unplaced.empty()) << placement.unplaced.front().reason.c_str();
  ApplyPinMap(placement, cleared);
  EXPECT_EQ(cleared, records);
}

CString Refusal(const std::string& text) {
  PinMapTable table;
  CString error;
  EXPECT_FALSE(ParsePinMap(text, "pins.csv", table, error)) << text;
  EXPECT_TRUE(table.rows.empty() && table.packages.empty());
  return error;
}

}  // namespace

TEST(PinMapText, EverySampleAndABigComponentComeBackWithTheirPinMapsAsCsvAndTsv) {
  std::vector<LibraryComponent> components;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::Load(CE_DATA_DIR "/sample.cmplib", components, error)) << error.c_str();
  ASSERT_FALSE(components.empty());
  for (const LibraryComponent& component : components) {
    SCOPED_TRACE(component.name.c_str());
    ExpectRoundTrip(component.records, PinMapSeparator::Comma, PinMapMatch::GateAndTerminal);
    ExpectRoundTrip(component.records, PinMapSeparator::Tab, PinMapMatch::GateAndTerminal);
  }
  // Twenty gates of two thousand terminals, by number and by name.
  std::vector<ComponentValue> records = GeneratedRecords(20, 100);
  records[0].gates[1].terminals[0].name = "A, \"quoted\"";
  EXPECT_EQ(CollectPinMap(records).rows.size(), 2000u);
  ExpectRoundTrip(records, PinMapSeparator::Comma, PinMapMatch::GateAndTerminal);
  ExpectRoundTrip(records, PinMapSeparator::Tab, PinMapMatch::TerminalName);
}

TEST(PinMapText, FaultyTextIsRefusedWithItsLineAndColumn) {
  const std::string noHeader =
      "1: the header \"Gate, Terminal, Name\" followed by the package names is missing.";
  const std::pair<std::string, std::string> cases[] = {
      {"", noHeader},
      {"a,1,X,4\n", noHeader},
      {"Gate,Terminal,Name,DIP\na,1,X,4\n\na,2,Y,4x\n", "4, column 4: \"4x\" is not a pin number."},
      {"Gate\tTerminal\tName\tDIP\na\tone\tX\t4\n", "2, column 2: \"one\" is not a terminal number."},
      {"Gate,Terminal,Name,DIP\n3,1,X,4\n", "2, column 1: \"3\" is not a gate name."},
      {"Gate,Terminal,Name,DIP,dip\n", "1, column 5: the package \"dip\" is named twice."},
      {"Gate,Terminal,Name,DIP\na,1,X,4,5\n", "2, column 5: the row has more fields than the header."},
  };
  for (const auto& [text, message] : cases)
    EXPECT_EQ(Refusal(text), "Cannot read \"pins.csv\" at line " + message);
}

TEST(PinMapText, RowsThatFitNoTerminalAreReportedAndTheRestPlacedButAnUnknownPackageStopsAll) {
  std::vector<ComponentValue> records = GeneratedRecords(2, 3);
  records[0].gates[0].terminals[1].name = "T3";  // two terminals named T3 now
  PinMapTable table;
  CString error;
  // Saved by a spreadsheet as "CSV UTF-8": a byte-order mark comes first.
  ASSERT_TRUE(ParsePinMap(
      "\xEF\xBB\xBFGate,Terminal,Name,qfp-2000\r\na,1,T1,11\r\nc,1,T9,12\r\na,9,T1,13\r\n,,T3,14\r\n"
      ",,GND,15\r\nb,,T4,16\r\n",
      "pins.csv", table, error))
      << error.c_str();
  PinMapPlacement placement;
  ASSERT_TRUE(PlacePinMap(table, records, PinMapMatch::GateAndTerminal, placement, error));
  EXPECT_EQ(placement.assignments, (std::vector<PinMapAssignment>{{1, 0, 1, 11}}));
  std::vector<int> lines;
  for (const PinMapUnplaced& unplaced : placement.unplaced) lines.push_back(unplaced.line);
  EXPECT_EQ(lines, (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(placement.unplaced[0].reason, "the component has no gate c, terminal 1");

  ASSERT_TRUE(PlacePinMap(table, records, PinMapMatch::TerminalName, placement, error));
  EXPECT_EQ(placement.assignments,
            (std::vector<PinMapAssignment>{{1, 0, 1, 11}, {1, 0, 1, 13}, {1, 1, 1, 16}}));
  ASSERT_EQ(placement.unplaced.size(), 3u);
  EXPECT_EQ(placement.unplaced[0].line, 3);
  EXPECT_EQ(placement.unplaced[1].reason, "2 terminals are named \"T3\"");
  EXPECT_EQ(placement.unplaced[2].reason, "no terminal is named \"GND\"");

  // An unknown package column is refused before any pin is placed.
  table = {};
  ASSERT_TRUE(ParsePinMap("Gate,Terminal,Name,BGA-2000,SO-8\na,1,T1,5,6\n", "pins.csv", table, error));
  placement = {};
  EXPECT_FALSE(PlacePinMap(table, records, PinMapMatch::GateAndTerminal, placement, error));
  EXPECT_EQ(error, "column 5: the component \"BIG\" has no package \"SO-8\".");
  EXPECT_TRUE(placement.assignments.empty());
}

TEST(PinMapText, PinsOfAFootprintThatNamesItsBallsGoOutAndComeBackByName) {
  CSymbol footprint("BGA4", SymbolKind::Pcb);
  for (const auto& [number, name] : std::vector<std::pair<int, const char*>>{{1, "A1"}, {2, "A2"}, {3, "B1"}})
    footprint.AddPad(CFreePad(number, name, CPoint(number * 100, 0)));
  footprint.AddPad(CFreePad(4, "", CPoint(0, 100)));
  std::vector<ComponentValue> records = GeneratedRecords(1, 3);
  records[0].package = "BGA-4";
  PinMapTable table = CollectPinMap(records);
  table.labels = {CPinLabels(&footprint), CPinLabels()};
  records[0].gates[0].terminals[2].pin = 4;
  table.rows[2].pins[0] = 4;
  const std::string text = FormatPinMap(table, PinMapSeparator::Comma);
  EXPECT_EQ(text, "Gate,Terminal,Name,BGA-4,QFP-2000\na,1,T1,A1,2000\na,2,T2,A2,1999\na,3,T3,4,1998\n")
      << "a land without a name keeps its number; the other package writes numbers";

  const PinLabelsOf labelsOf = [&](const CString& package) {
    return package == "BGA-4" ? CPinLabels(&footprint) : CPinLabels();
  };
  PinMapTable read;
  CString error;
  ASSERT_TRUE(
      ParsePinMap("Gate,Terminal,Name,BGA-4\na,1,T1,b1\na,2,T2,2\n", "pins.csv", read, error, labelsOf))
      << error.c_str();
  EXPECT_EQ(read.rows[0].pins, std::vector<int>{3}) << "a name, ignoring case";
  EXPECT_EQ(read.rows[1].pins, std::vector<int>{2}) << "a number";
  EXPECT_FALSE(
      ParsePinMap("Gate,Terminal,Name,BGA-4,QFP-2000\na,1,T1,C9,1\n", "pins.csv", read, error, labelsOf));
  const std::string at = "Cannot read \"pins.csv\" at line 2, column ";
  EXPECT_EQ(error.str(), at + "4: \"C9\" is not a pin number nor a pad name of BGA4.");
  EXPECT_FALSE(
      ParsePinMap("Gate,Terminal,Name,BGA-4,QFP-2000\na,1,T1,A1,A1\n", "pins.csv", read, error, labelsOf));
  EXPECT_EQ(error.str(), at + "5: \"A1\" is not a pin number.")
      << "names belong to the package whose footprint has them";
}
