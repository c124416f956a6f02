// What changed between two versions of a library, one line for each change as a reader
// sees it; the order of the components and of a record's attributes is layout.
#include "host/model/component_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using Library = std::vector<LibraryComponent>;

std::string Said(const std::vector<ComponentChange>& changes) {
  std::string text;
  for (const ComponentChange& c : changes)
    text += c.component.str() + (c.package.IsEmpty() ? "" : ": package " + c.package.str()) + ": " +
            c.text.str() + "\n";
  return text;
}

TEST(ComponentDiffTest, SaysEachKindOfChangeInItsLineAndNothingForLayout) {
  Library sample;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::Load(CE_DATA_DIR "/sample.cmplib", sample, error)) << error.str();
  const PinLabelSource numbers = [](const ComponentValue&, bool) { return CPinLabels(); };
  const std::pair<std::function<void(Library&)>, std::string> rows[] = {
      {[](Library& l) {
         l[0].records[0].gates[1].terminals[2].pin = 7;
         l[0].records[0].gates[0].terminals[0].pin = -1;
       },
       "QUAD-NAND2: package DIP-14: gate a terminal 1 (A): pin 1 -> none\n"
       "QUAD-NAND2: package DIP-14: gate b terminal 3 (Y): pin 6 -> 7\n"},
      {[](Library& l) {
         std::reverse(l.begin(), l.end());
         std::reverse(l[0].records[0].attributes.begin(), l[0].records[0].attributes.end());
       },
       ""},
      {[](Library& l) {
         l.push_back(l[3]);
         l.back().name = "RESISTOR-2";
         l.back().records[0].description = "Second resistor";
         l.erase(l.begin() + 1);
         l[2].name = "RES";
       },
       "RES: renamed from RESISTOR\nRESISTOR-2: component added\nHEX-INV: component removed\n"},
      {[](Library& l) {
         ComponentValue& first = l[0].records[0];
         first.description = "Four NANDs";
         first.gates[0].symbol = "AND2";
         first.gates[0].terminals[2].name = "Q";
         first.pinCount = 16;
         for (ComponentValue& record : l[0].records) record.gates.push_back(record.gates[3]);
         for (ComponentValue& record : l[0].records) record.gates.back().index = 5;
         l[0].records[1].gates.erase(l[0].records[1].gates.begin() + 2);
       },
       "QUAD-NAND2: description \"Quad 2-input NAND gate\" -> \"Four NANDs\"\n"
       "QUAD-NAND2: gate a symbol logic.scmlib:NAND2 -> logic.scmlib:AND2\n"
       "QUAD-NAND2: gate a terminal 3: name \"Y\" -> \"Q\"\n"
       "QUAD-NAND2: gate f added: logic.scmlib:NAND2, 3 terminals\n"
       "QUAD-NAND2: package DIP-14: pins 14 -> 16\n"
       "QUAD-NAND2: package SOIC-14: gate c removed\n"},
      {[](Library& l) {
         l[2].records[1].package = "SO-8";
         l[2].records[0].pcbSymbol = "SOIC-8";
       },
       "DUAL-OPAMP: package DIP-8: footprint footprints.pcblib:DIP-8 -> footprints.pcblib:SOIC-8\n"
       "DUAL-OPAMP: package SO-8: added, footprint footprints.pcblib:SOIC-8\n"
       "DUAL-OPAMP: package SOIC-8: removed\n"},
      {[](Library& l) {
         std::vector<AttributeValue>& attributes = l[3].records[0].attributes;
         attributes[0].value = "22k";
         attributes[1] = {"Tempco", "50 ppm"};
       },
       "RESISTOR: attribute Value: \"10k\" -> \"22k\"\nRESISTOR: attribute Tempco added: \"50 ppm\"\n"
       "RESISTOR: attribute Tolerance removed\n"},
      {[](Library& l) { l[1].records[1].description = "Six inverters"; },
       "HEX-INV: changed in a way not listed here\n"},
  };
  for (const auto& [edit, said] : rows) {
    Library after = sample;
    edit(after);
    EXPECT_EQ(Said(DiffComponentLibraries(sample, after, numbers)), said);
  }
  // Only the components named, by either name of a renamed one.
  Library after = sample;
  rows[2].first(after);
  EXPECT_EQ(Said(DiffComponentLibraries(sample, after, numbers, {"resistor", "hex-inv"})),
            "RES: renamed from RESISTOR\nHEX-INV: component removed\n");
}

}  // namespace
