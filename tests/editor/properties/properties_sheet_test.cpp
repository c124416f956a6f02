// The frame's Properties: the pages the sheet holds for the item picked and what they
// show, the sheet inside one undo level "Properties" (OK one step, Cancel none), and the
// pages' own work: the package page's record and PCB symbol, the gate page's new symbol
// in every package record and the schematic pin page's terminal name; each page's
// refusals keep the sheet open on the control at fault and write nothing. The write-back
// and assignment-run rule is swept with the frame's other level commands.

#include <filesystem>
#include <utility>

#include "host/libtools/library_manager.h"
#include "host/model/component.h"
#include "host/model/scm_component.h"
#include "host/model/symbol_library.h"
#include "platform/tab_control.h"
#include "tests/editor/properties/properties_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using Texts = std::vector<std::string>;
using Levels = std::vector<UINT>;
using Hinted = std::vector<LPARAM>;

// Pin 2 of DIP-14 holds terminal 2 of gates a and b (renamed B2); pin 7 holds none, so
// terminal 2 of gate e has no pin. The component page lists its own component's packages.
TEST_F(PropertiesTest, TheSheetHoldsThePagesOfTheItemPickedAndOpensAtItsPage) {
  ComponentBuilder("OTHER").Gates(1, 2).Package("TO-92", "SOT-23").BuildInto(Design());
  ASSERT_TRUE(Component().SetPinNumber(1, 2, 2));
  ASSERT_TRUE(Component().SetPinName(1, 2, "B2"));
  ASSERT_TRUE(Component().SetPinNumber(4, 2, CGate::kNoPin));
  constexpr int kPins = IDC_PIN_ASSOCIATIONS;
  const std::vector<std::pair<int, std::string>> component{{IDC_COMPONENT_NAME, "QUAD-NAND2"},
                                                           {IDC_DESCRIPTION, "Quad 2-input NAND gate"},
                                                           {IDC_DEFAULT_REFERENCE, "U"}};
  const std::vector<CString> kBoth{"Component", "Package"}, kGate{"Component", "Package", "Gate"},
      kScm{"Component", "Package", "Gate", "Schematic Pin"}, kPcb{"Component", "Package", "PCB Pin"};
  const struct {
    CDesignItem* item;
    std::vector<CString> tabs;
    int active;                  // -1: the sheet may open at any page
    std::pair<int, Texts> list;  // a list box of the page shown, and its lines
    std::vector<std::pair<int, std::string>> texts;
  } rows[] = {
      {nullptr, kBoth, 0, {IDC_PACKAGE_LIST, {"DIP-14", "SOIC-14"}}, component},
      {ScmGate(4), kGate, 2, {}, {{IDC_SCM_LIBRARY_COMBO, "logic.scmlib"}, {IDC_SCM_SYMBOL_COMBO, "POWER"}}},
      {ScmTerminal(2, 3),
       kScm,
       3,
       {},
       {{IDC_GATE_NAME, "c"}, {IDC_TERMINAL_NUMBER, "3"}, {IDC_PIN_NAME, "Y"}, {IDC_PIN_NUMBER, "8"}}},
      {ScmTerminal(4, 2), kScm, 3, {}, {{IDC_PIN_NAME, "GND"}, {IDC_PIN_NUMBER, "0"}}},
      {PcbPad(8), kPcb, 2, {kPins, {"Gate c\tTerminal 3"}}, {{IDC_PIN_NUMBER, "8"}, {IDC_PIN_NAME, "Y"}}},
      {PcbPad(2), kPcb, 2, {kPins, {"Gate a\tTerminal 2", "Gate b\tTerminal 2"}}, {{IDC_PIN_NAME, "B2"}}},
      {PcbPad(7), kPcb, 2, {kPins, {}}, {{IDC_PIN_NAME, ""}}},
      {PcbFootprint(), kBoth, -1, {}, {}},  // it belongs to no gate
  };
  const std::vector<ComponentValue> before = Records();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tabs.size() * 10 + row.texts.size());
    RunSheet(row.item, [&](CComponentProperties& sheet, UserInput& input) {
      EXPECT_EQ(GetTabControlData(sheet.GetTabControl()->m_hWnd)->tabs, row.tabs);
      EXPECT_TRUE(row.active < 0 || sheet.GetActiveIndex() == row.active) << sheet.GetActiveIndex();
      for (const auto& [id, text] : row.texts) EXPECT_EQ(Text(sheet, id), text) << id;
      const auto& [list, lines] = row.list;
      EXPECT_EQ(list ? ListBoxLines(*static_cast<const CListBox*>(Ctl(sheet, list))) : Texts{}, lines);
      // Showing is no change, and OK on pages the user only looked at writes nothing.
      for (int page = 0; page < sheet.GetPageCount(); ++page) {
        ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), page));
        EXPECT_FALSE(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW))->IsWindowEnabled()) << page;
      }
    });
  }
  EXPECT_EQ(Records(), before);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
  EXPECT_TRUE(Hints().All().empty());
}

// Renames terminal A of gate a on its pin page, and on the component page describes the
// component, types a reference and flips every show-name box; Apply clicked on the way or not.
PropertiesTest::Act EditEveryPage(bool clickApply) {
  return [clickApply](CComponentProperties& sheet, UserInput& input) {
    CWnd* apply = sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW));
    ASSERT_TRUE(input.TypeText(PropertiesTest::Ctl(sheet, IDC_PIN_NAME), "IN1"));
    EXPECT_TRUE(apply->IsWindowEnabled());
    if (clickApply) {
      ASSERT_TRUE(input.Click(apply));
      EXPECT_TRUE(sheet.IsModalActive());
      EXPECT_FALSE(apply->IsWindowEnabled());
    }
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), 0));
    ASSERT_TRUE(input.TypeText(PropertiesTest::Ctl(sheet, IDC_DESCRIPTION), "Four gates"));
    ASSERT_TRUE(input.TypeComboText(PropertiesTest::Ctl(sheet, IDC_DEFAULT_REFERENCE), "IC 7"));
    ASSERT_TRUE(!clickApply || input.Click(apply));
    // A check box's click is a change too (it once was not: 86eb87d).
    for (int box = IDC_SCM_SHOW_REFERENCE; box <= IDC_PCB_SHOW_PIN_NUMBER; ++box) {
      CWnd* check = PropertiesTest::Ctl(sheet, box);
      ASSERT_TRUE(input.SetCheck(check, check->SendMessage(BM_GETCHECK) == 0));
    }
    EXPECT_TRUE(apply->IsWindowEnabled());
  };
}

// Cancelled from the select mode's "&Properties..." on the item under the cursor, after a
// refused name, then OK from the frame's command on the item selected.
TEST_F(PropertiesTest, OkIsOneUndoStepOnTheCurrentRecordAndCancelChangesNothing) {
  const std::vector<ComponentValue> before = Records();
  ExpectSheet(
      [&](CComponentProperties& sheet, UserInput& input) {
        ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_PIN_NAME), " Y"));
        Refuse(sheet, input, "Terminal name \" Y\" cannot begin or end with a blank.", 3, IDC_PIN_NAME);
        EditEveryPage(false)(sheet, input);
      },
      IDCANCEL);
  Screen().ExpectContextMenu(ID_CONTEXT_PROPERTIES);
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(0, 1))));
  EXPECT_EQ(Records(), before);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_EQ(Hints().Count(HintPinName), 0);
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());

  ClearRecords();
  RunSheet(nullptr, EditEveryPage(true));
  EXPECT_EQ(Component().GetDescription(), "Four gates");
  EXPECT_EQ(Component().GetDefaultReference(), "IC 7");
  EXPECT_EQ(Component().GetScmComponent()->GetShowNames(),
            CScmComponent::kAllShowNames ^ CScmComponent::kDefaultShowNames);
  const CComponent* soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  EXPECT_EQ(soic->GetDescription(), "Quad 2-input NAND gate");
  EXPECT_EQ(soic->GetDefaultReference(), "U");
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_EQ(Design().GetUndoName(), "Properties");
  // The grid's write-back comes first, in a level of its own that holds nothing here.
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());
  // A terminal's name belongs to its symbol: every NAND2 gate takes it, POWER keeps its
  // own; the pin page tells the views which, and the frame adds no rebuild.
  for (int gate = 0; gate < 5; ++gate) EXPECT_EQ(Component().GetPinName(gate, 1) == "IN1", gate < 4) << gate;
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintPinName});
  const RecordedHint& hint = Hints().All()[0];
  EXPECT_EQ(hint.symbol + "/" + std::to_string(hint.terminal).c_str() + "/" + hint.name, "NAND2/1/IN1");
  EXPECT_EQ(Terminal(ScmView(), 1, 1)->GetTerminalName() + Land(PcbView(), 1)->GetTerminalName(), "IN1IN1");
  EXPECT_TRUE(GridColumnHas(1, "IN1"));
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Records(), before);
}

// The package record takes what changed; the drawings are redrawn only for another PCB
// symbol or library, and the record's pin count and pin map stay. A bad package is
// refused before a bad symbol, the last refusal found from another page.
TEST_F(PropertiesTest, ThePackagePageWritesWhatChangedRedrawsForAnotherSymbolOnlyAndRefusesBadNames) {
  const ScratchFolder folder;
  for (const char* copy : {"footprints.pcblib", "spare.pcblib"})
    std::filesystem::copy_file(DataDirectory().str() + "/footprints.pcblib", folder / copy);
  ASSERT_TRUE(
      CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), folder / "footprints.pcblib"));
  const std::vector<GateValue> pinMap = Component().GetValue().gates;
  const char* kDescription = "14-pin dual in-line, 2.54 mm pitch, through hole";
  const struct {
    std::string message;
    const char *package, *symbol;
    int focus;
  } refusals[] = {
      {"Package name cannot be empty.", "", "DIP-14", IDC_PACKAGE_NAME},
      {"Package \"SOIC-14\" is already defined for this component.", "SOIC-14", "", IDC_PACKAGE_NAME},
      {"Symbol DIP-40 does not exist.", "DIP-16", "DIP-40", IDC_PCB_SYMBOL_COMBO},
  };
  const struct {
    const char *package, *description, *library, *symbol;
    Hinted hints;
    bool refusalsFirst = false;
  } rows[] = {
      {nullptr, nullptr, nullptr, nullptr, {}},
      {"dip-14", nullptr, nullptr, nullptr, {}},  // a change of case alone is written
      {"DIP-16", "Socketed", nullptr, "DIP-16", {HintComponent}, true},
      {nullptr, nullptr, nullptr, "dip-14", {}},  // the same symbol: nothing to write
      {nullptr, nullptr, "spare.pcblib", "DIP-14", {HintComponent}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.package ? row.package : "") + (row.symbol ? row.symbol : ""));
    RunSheet(nullptr, [&](CComponentProperties& sheet, UserInput& input) {
      ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), kPackagePage));
      EXPECT_EQ((Texts{Text(sheet, IDC_PACKAGE_NAME), Text(sheet, IDC_DESCRIPTION),
                       Text(sheet, IDC_PCB_LIBRARY_COMBO), Text(sheet, IDC_PCB_SYMBOL_COMBO),
                       Text(sheet, IDC_PAGE_PIN_COUNT)}),
                (Texts{"DIP-14", kDescription, "footprints.pcblib", "DIP-14", "14"}));
      if (row.description) input.TypeText(Ctl(sheet, IDC_DESCRIPTION), row.description);
      for (const auto& refused : refusals) {
        if (!row.refusalsFirst) break;
        input.TypeComboText(Ctl(sheet, IDC_PCB_SYMBOL_COMBO), refused.symbol);
        input.TypeComboText(Ctl(sheet, IDC_PACKAGE_NAME), refused.package);
        if (&refused == std::end(refusals) - 1) input.ChooseTab(sheet.GetTabControl(), kComponentPage);
        Refuse(sheet, input, refused.message, kPackagePage, refused.focus);
      }
      if (row.package) input.TypeComboText(Ctl(sheet, IDC_PACKAGE_NAME), row.package);
      if (row.library) input.ChooseComboEntry(Ctl(sheet, IDC_PCB_LIBRARY_COMBO), row.library);
      // A symbol of the list is chosen, any other typed; the count shown is the symbol's
      // pads ("DIP-16": 16), for information only.
      if (CWnd* symbol = row.symbol ? Ctl(sheet, IDC_PCB_SYMBOL_COMBO) : nullptr) {
        EXPECT_TRUE(input.ChooseComboEntry(symbol, row.symbol) || input.TypeComboText(symbol, row.symbol));
        EXPECT_EQ(Text(sheet, IDC_PAGE_PIN_COUNT), std::string(row.symbol).substr(4));
      }
    });
    EXPECT_EQ(
        (Texts{Component().GetPackage().str(), Design().FindAttribute("[PackageName]")->GetValue().str(),
               Component().GetPackageDescription().str(), Component().GetPcbComponent()->GetLibrary().str(),
               Component().GetPcbSymbol().str()}),
        (Texts{row.package ? row.package : "DIP-14", row.package ? row.package : "DIP-14",
               row.description ? row.description : kDescription,
               row.library ? row.library : "footprints.pcblib", row.hints.empty() ? "DIP-14" : row.symbol}));
    EXPECT_EQ(Component().GetPinCount(), 14);
    EXPECT_EQ(Component().GetValue().gates, pinMap);
    EXPECT_EQ(Hints().Values(), row.hints);
    EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPcbSymbol(), "SOIC-14");
    UndoTo(0);
  }
}

// Gate b has pins 4, 5, 6 in DIP-14, 40, 50, 60 in SOIC-14 and 11, 12, 13 in TSSOP-14:
// a new symbol rebuilds it in the record shown and every other record keeps its pins.
// That every record takes the symbol and its names is a path of the gate data test. A
// missing symbol and a pin count the model refuses keep the sheet open.
TEST_F(PropertiesTest, TheGatePageRebuildsTheGateInEveryRecordForANewSymbolOnlyAndRefusesWhatItCannot) {
  CComponent* soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  CComponent* tssop = Design().AddComponent("QUAD-NAND2", "TSSOP-14");
  for (int terminal = 1; terminal <= 3; ++terminal) {
    ASSERT_TRUE(soic->SetPinNumber(1, terminal, 10 * (terminal + 3)));
    ASSERT_TRUE(tssop->SetPinNumber(1, terminal, 10 + terminal));
  }
  const std::vector<ComponentValue> before = Records();
  const struct {
    const char *library, *symbol, *count;
    Texts names;
    PinMap pins;  // gate b's in DIP-14, SOIC-14 and TSSOP-14
  } rows[] = {
      {nullptr, "nand2", "3", {"A", "B", "Y"}, {{4, 5, 6}, {40, 50, 60}, {11, 12, 13}}},  // the same symbol
      {nullptr, "DFF", "4", {"A", "B", "Y", ""}, {{4, 5, 6, -1}, {40, 50, 60, -1}, {11, 12, 13, -1}}},
      {"analog.scmlib", "RESISTOR", "2", {"A", "B"}, {{4, 5}, {40, 50}, {11, 12}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.symbol);
    const bool same = &row == rows;
    RunSheet(ScmGate(1), [&](CComponentProperties& sheet, UserInput& input) {
      ASSERT_TRUE(!row.library || input.ChooseComboEntry(Ctl(sheet, IDC_SCM_LIBRARY_COMBO), row.library));
      CWnd* symbol = Ctl(sheet, IDC_SCM_SYMBOL_COMBO);
      ASSERT_TRUE(same ? input.TypeComboText(symbol, row.symbol)
                       : input.ChooseComboEntry(symbol, row.symbol));
      EXPECT_EQ(Text(sheet, IDC_PAGE_PIN_COUNT), row.count);
    });
    EXPECT_TRUE(Component().FindGate(1)->GetSymbol().EqualsNoCase(row.symbol));
    EXPECT_EQ(Component().FindGate(1)->GetLibrary(), row.library ? row.library : "logic.scmlib");
    const int terminals = static_cast<int>(row.names.size());
    for (int t = 0; t < terminals; ++t) EXPECT_EQ(Component().GetPinName(1, t + 1), row.names[t]);
    EXPECT_EQ((PinMap{PinsOf(Component())[1], PinsOf(*soic)[1], PinsOf(*tssop)[1]}), row.pins);
    EXPECT_EQ(Hints().Values(), same ? Hinted{} : Hinted{HintComponent});
    EXPECT_NE(Terminal(ScmView(), 1, terminals), nullptr) << "the drawing shows the new symbol";
    EXPECT_EQ(Terminal(ScmView(), 1, terminals + 1), nullptr);
    EXPECT_EQ(Land(PcbView(), 6)->IsAssigned(), terminals > 2);
    EXPECT_TRUE(GridColumnHas(0, same ? "NAND2" : row.symbol));
    UndoTo(0);
    ASSERT_EQ(Records(), before);
  }
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

}  // namespace
