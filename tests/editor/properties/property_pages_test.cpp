// The pages' own work, each reached through the frame's sheet: the component page's
// fields, the package page's record and PCB symbol, the gate page's new symbol in every
// package record and the schematic pin page's terminal name; each page's refusals keep
// the sheet open on the control at fault and write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/scm_component.h"
#include "host/model/symbol_library.h"
#include "tests/editor/properties/properties_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using Texts = std::vector<std::string>;
using Pins = std::vector<int>;
using Hinted = std::vector<LPARAM>;

// Each show-name box with the flag it stands for.
constexpr struct {
  int box;
  unsigned flag;
} kBoxes[] = {{IDC_SCM_SHOW_REFERENCE, 2},   {IDC_SCM_SHOW_COMPONENT, 1},   {IDC_SCM_SHOW_SYMBOL, 8},
              {IDC_SCM_SHOW_PACKAGE, 4},     {IDC_SCM_SHOW_PIN_NAME, 16},   {IDC_SCM_SHOW_PIN_NUMBER, 32},
              {IDC_PCB_SHOW_REFERENCE, 512}, {IDC_PCB_SHOW_COMPONENT, 256}, {IDC_PCB_SHOW_SYMBOL, 2048},
              {IDC_PCB_SHOW_PACKAGE, 1024},  {IDC_PCB_SHOW_PIN_NAME, 4096}, {IDC_PCB_SHOW_PIN_NUMBER, 8192}};

unsigned Ticked(const CComponentProperties& sheet) {
  unsigned flags = 0;
  for (const auto& b : kBoxes)
    flags |= PropertiesTest::Ctl(sheet, b.box)->SendMessage(BM_GETCHECK) ? b.flag : 0;
  return flags;
}

TEST_F(PropertiesTest, TheComponentPageShowsItsOwnPackagesAndStoresEachShowNameFromItsBox) {
  ComponentBuilder("OTHER").Gates(1, 2).Package("TO-92", "SOT-23").BuildInto(Design());
  RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput&) {
    EXPECT_EQ(Text(sheet, IDC_COMPONENT_NAME), "QUAD-NAND2");
    EXPECT_EQ(Lines(sheet, IDC_PACKAGE_LIST), (Texts{"DIP-14", "SOIC-14"}));
    EXPECT_EQ(Text(sheet, IDC_DESCRIPTION), "Quad 2-input NAND gate");
    EXPECT_EQ(Text(sheet, IDC_DEFAULT_REFERENCE), "U");
    EXPECT_EQ(Ticked(sheet), CScmComponent::kDefaultShowNames);
  });
  for (const auto& b : kBoxes) {
    SCOPED_TRACE(b.box);
    RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput& input) {
      for (const auto& other : kBoxes) input.SetCheck(Ctl(sheet, other.box), other.box == b.box);
    });
    EXPECT_EQ(Component().GetScmComponent()->GetShowNames(), b.flag);
    RunSheet(
        nullptr, [&](CComponentProperties& sheet, UserInput&) { EXPECT_EQ(Ticked(sheet), b.flag); },
        IDCANCEL);
  }
  // A footprint-only component shows no names and stores none.
  Component().SetPcbOnly(true);
  RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput& input) {
    EXPECT_EQ(Ticked(sheet), 0u);
    input.SetCheck(Ctl(sheet, IDC_SCM_SHOW_REFERENCE), true);
  });
  Component().SetPcbOnly(false);
  EXPECT_EQ(Component().GetScmComponent()->GetShowNames(), 8192u);
}

// The package record takes what changed; the drawings are redrawn only for another PCB
// symbol or library, and the record's pin count and pin map stay.
TEST_F(PropertiesTest, ThePackagePageWritesWhatChangedAndRedrawsForAnotherSymbolOnly) {
  const ScratchFolder folder;
  for (const char* copy : {"footprints.pcblib", "spare.pcblib"})
    std::filesystem::copy_file(DataDirectory().str() + "/footprints.pcblib", folder / copy);
  ASSERT_TRUE(
      CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), folder / "footprints.pcblib"));
  const std::vector<GateValue> pinMap = Component().GetValue().gates;
  const char* kDescription = "14-pin dual in-line, 2.54 mm pitch, through hole";
  const struct {
    const char* package;
    const char* description;
    const char* library;
    const char* symbol;
    Hinted hints;
  } rows[] = {
      {nullptr, nullptr, nullptr, nullptr, {}},
      {"dip-14", nullptr, nullptr, nullptr, {}},  // a change of case alone is written
      {"DIP-16", "Socketed", nullptr, nullptr, {}},
      {nullptr, nullptr, nullptr, "dip-14", {}},  // the same symbol: nothing to write
      {nullptr, nullptr, nullptr, "DIP-16", {HintComponent}},
      {nullptr, nullptr, "spare.pcblib", "DIP-14", {HintComponent}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.package ? row.package : "") + (row.symbol ? row.symbol : ""));
    RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput& input) {
      ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), kPackagePage));
      EXPECT_EQ(Text(sheet, IDC_PACKAGE_NAME), "DIP-14");
      EXPECT_EQ(Text(sheet, IDC_DESCRIPTION), kDescription);
      EXPECT_EQ(Text(sheet, IDC_PCB_LIBRARY_COMBO), "footprints.pcblib");
      EXPECT_EQ(Text(sheet, IDC_PCB_SYMBOL_COMBO), "DIP-14");
      EXPECT_EQ(Text(sheet, IDC_PAGE_PIN_COUNT), "14");
      if (row.package) input.TypeComboText(Ctl(sheet, IDC_PACKAGE_NAME), row.package);
      if (row.description) input.TypeText(Ctl(sheet, IDC_DESCRIPTION), row.description);
      if (row.library) input.ChooseComboEntry(Ctl(sheet, IDC_PCB_LIBRARY_COMBO), row.library);
      // A symbol of the list is chosen, any other typed; the count shown is the symbol's
      // pads ("DIP-16": 16), for information only.
      if (CWnd* symbol = row.symbol ? Ctl(sheet, IDC_PCB_SYMBOL_COMBO) : nullptr) {
        EXPECT_TRUE(input.ChooseComboEntry(symbol, row.symbol) || input.TypeComboText(symbol, row.symbol));
        EXPECT_EQ(Text(sheet, IDC_PAGE_PIN_COUNT), std::string(row.symbol).substr(4));
      }
    });
    EXPECT_EQ(Component().GetPackage(), row.package ? row.package : "DIP-14");
    EXPECT_EQ(Design().FindAttribute("[PackageName]")->GetValue(), Component().GetPackage()) << "the caption";
    EXPECT_EQ(Component().GetPackageDescription(), row.description ? row.description : kDescription);
    EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), row.library ? row.library : "footprints.pcblib");
    EXPECT_EQ(Component().GetPcbSymbol(), row.hints.empty() ? "DIP-14" : row.symbol);
    EXPECT_EQ(Component().GetPinCount(), 14);
    EXPECT_EQ(Component().GetValue().gates, pinMap);
    EXPECT_EQ(Hints().Values(), row.hints);
    EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPcbSymbol(), "SOIC-14");
    UndoTo(0);
  }
}

TEST_F(PropertiesTest, ThePackagePageRefusesABadPackageBeforeABadSymbol) {
  const struct {
    const char* package;
    const char* symbol;
    std::string message;
    int focus;
  } rows[] = {
      {"", "DIP-14", "Package name cannot be empty.", IDC_PACKAGE_NAME},
      {"SOIC-14", "", "Package \"SOIC-14\" is already defined for this component.", IDC_PACKAGE_NAME},
      {"DIP-16", "DIP-40", "Symbol DIP-40 does not exist.", IDC_PCB_SYMBOL_COMBO},
  };
  RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput& input) {
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), kPackagePage));
    ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_DESCRIPTION), "Socketed"));
    for (const auto& row : rows) {
      input.TypeComboText(Ctl(sheet, IDC_PCB_SYMBOL_COMBO), row.symbol);
      input.TypeComboText(Ctl(sheet, IDC_PACKAGE_NAME), row.package);
      // The last refusal is found from another page, and takes the user back.
      if (&row == std::end(rows) - 1) input.ChooseTab(sheet.GetTabControl(), kComponentPage);
      Refuse(sheet, input, row.message, kPackagePage, row.focus);
    }
    input.ChooseComboEntry(Ctl(sheet, IDC_PCB_SYMBOL_COMBO), "DIP-16");
  });
  EXPECT_EQ(Component().GetPackage(), "DIP-16");
  EXPECT_EQ(Component().GetPackageDescription(), "Socketed");
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-16");
  EXPECT_EQ(Hints().Values(), Hinted{HintComponent});
}

// Gate b has pins 4, 5, 6 in DIP-14, 40, 50, 60 in SOIC-14 and 11, 12, 13 in TSSOP-14:
// a new symbol rebuilds it in the record shown and every other record keeps its pins.
TEST_F(PropertiesTest, TheGatePageRebuildsTheGateInEveryRecordForANewSymbolOnly) {
  CComponent* soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  CComponent* tssop = Design().AddComponent("QUAD-NAND2", "TSSOP-14");
  for (int terminal = 1; terminal <= 3; ++terminal) {
    ASSERT_TRUE(soic->SetPinNumber(1, terminal, 10 * (terminal + 3)));
    ASSERT_TRUE(tssop->SetPinNumber(1, terminal, 10 + terminal));
  }
  auto pins = [](const CComponent* record) {
    Pins numbers;
    for (int t = 1; t <= record->FindGate(1)->CountPins(); ++t) numbers.push_back(record->GetPinNumber(1, t));
    return numbers;
  };
  const std::vector<ComponentValue> before = Records();
  const struct {
    const char* library;
    const char* symbol;
    const char* count;
    Texts names;
    Pins dip, so, ts;
  } rows[] = {
      {nullptr, "nand2", "3", {"A", "B", "Y"}, {4, 5, 6}, {40, 50, 60}, {11, 12, 13}},  // the same symbol
      {nullptr, "DFF", "4", {"A", "B", "Y", ""}, {4, 5, 6, -1}, {40, 50, 60, -1}, {11, 12, 13, -1}},
      {"analog.scmlib", "RESISTOR", "2", {"A", "B"}, {4, 5}, {40, 50}, {11, 12}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.symbol);
    const bool same = &row == rows;
    RunSheet(ScmGate(1), [&](CComponentProperties& sheet, UserInput& input) {
      if (row.library) {
        ASSERT_TRUE(input.ChooseComboEntry(Ctl(sheet, IDC_SCM_LIBRARY_COMBO), row.library));
      }
      CWnd* symbol = Ctl(sheet, IDC_SCM_SYMBOL_COMBO);
      ASSERT_TRUE(same ? input.TypeComboText(symbol, row.symbol)
                       : input.ChooseComboEntry(symbol, row.symbol));
      EXPECT_EQ(Text(sheet, IDC_PAGE_PIN_COUNT), row.count);
    });
    const size_t terminals = row.names.size();
    for (const CComponent* record : {&Component(), soic, tssop}) {
      EXPECT_TRUE(record->FindGate(1)->GetSymbol().EqualsNoCase(row.symbol));
      EXPECT_EQ(record->FindGate(1)->GetLibrary(), row.library ? row.library : "logic.scmlib");
      for (size_t t = 0; t < terminals; ++t) EXPECT_EQ(record->GetPinName(1, int(t) + 1), row.names[t]);
    }
    EXPECT_EQ(pins(&Component()), row.dip);
    EXPECT_EQ(pins(soic), row.so);
    EXPECT_EQ(pins(tssop), row.ts);
    EXPECT_EQ(Hints().Values(), same ? Hinted{} : Hinted{HintComponent});
    EXPECT_NE(Terminal(ScmView(), 1, int(terminals)), nullptr) << "the drawing shows the new symbol";
    EXPECT_EQ(Terminal(ScmView(), 1, int(terminals) + 1), nullptr);
    EXPECT_EQ(Land(PcbView(), 6)->IsAssigned(), terminals > 2);
    const Texts symbols = GridColumn(0);
    EXPECT_NE(std::find(symbols.begin(), symbols.end(), same ? "NAND2" : row.symbol), symbols.end());
    UndoTo(0);
    ASSERT_EQ(Records(), before);
  }
  // A library named in another case is the same library.
  Component().FindGate(2)->SetLibrary("LOGIC.SCMLIB");
  RunSheet(ScmGate(2), [](CComponentProperties& sheet, UserInput&) {
    EXPECT_EQ(Text(sheet, IDC_SCM_LIBRARY_COMBO), "logic.scmlib");
  });
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(PropertiesTest, TheGatePageRefusesAMissingSymbolAndAPinCountTheModelRefuses) {
  // The gate's symbol has left its library: the count can be typed, the library does not
  // tell it. The model refuses the rebuilt gate only after the old one has left the
  // record, and the page brings it back (once it did not: 3d2d493).
  POSITION position = nullptr;
  for (CComponent* record = Design().FirstComponent(position); record != nullptr;
       record = Design().NextComponent(position))
    record->FindGate(1)->SetSymbol("NAND9");
  RunSheet(
      ScmGate(1),
      [&](CComponentProperties& sheet, UserInput& input) {
        Refuse(sheet, input, "Symbol NAND9 does not exist.", 2, IDC_SCM_SYMBOL_COMBO);
        ASSERT_TRUE(input.TypeComboText(Ctl(sheet, IDC_SCM_SYMBOL_COMBO), "DFF"));
        ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_PAGE_PIN_COUNT), "40000"));
        Refuse(sheet, input, "40000 is not a pin count.", 2, IDC_PAGE_PIN_COUNT);
      },
      IDCANCEL);
  EXPECT_TRUE(Hints().All().empty());
}

// A terminal's name belongs to its symbol: every gate the symbol draws, in every record,
// takes it, and the grid and both drawings show it.
TEST_F(PropertiesTest, TheSchematicPinPageRenamesTheTerminalOfTheSymbol) {
  const struct {
    int gate, terminal;
    const char* name;
    const char* symbol;
  } rows[] = {{1, 3, "OUT", "NAND2"}, {4, 1, "", "POWER"}, {0, 1, "a", "NAND2"}};  // case alone is a change
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const int pin = Component().GetPinNumber(row.gate, row.terminal);
    RunSheet(ScmTerminal(row.gate, row.terminal), [&](CComponentProperties& sheet, UserInput& input) {
      ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_PIN_NAME), row.name));
    });
    POSITION position = nullptr;
    for (CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position)) {
      for (int gate = 0; gate < 5; ++gate) {
        if (record->FindGate(gate)->GetSymbol() == row.symbol) {
          EXPECT_EQ(record->GetPinName(gate, row.terminal), row.name) << gate;
        } else {
          EXPECT_NE(record->GetPinName(gate, row.terminal), row.name) << gate;
        }
      }
    }
    ASSERT_EQ(Hints().Values(), Hinted{HintPinName});
    EXPECT_EQ(Hints().All()[0].symbol, row.symbol);
    EXPECT_EQ(Hints().All()[0].terminal, row.terminal);
    EXPECT_EQ(Hints().All()[0].name, row.name);
    EXPECT_EQ(Terminal(ScmView(), row.gate, row.terminal)->GetTerminalName(), row.name);
    EXPECT_EQ(Land(PcbView(), pin)->GetTerminalName(), row.name);
    const Texts names = GridColumn(1);
    EXPECT_NE(std::find(names.begin(), names.end(), row.name), names.end());
    UndoTo(0);
  }
  const std::vector<ComponentValue> before = Records();
  RunSheet(
      ScmTerminal(2, 3),
      [&](CComponentProperties& sheet, UserInput& input) {
        ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_PIN_NAME), " Y"));
        Refuse(sheet, input, "Terminal name \" Y\" cannot begin or end with a blank.", 3, IDC_PIN_NAME);
      },
      IDCANCEL);
  EXPECT_EQ(Records(), before);
}

}  // namespace
