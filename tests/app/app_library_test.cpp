// New components and the library's own changes, as the user makes them: File > New
// Component and New Library, and Duplicate, Rename and Delete in the component picker.
// Every change is checked on disk byte for byte outside the component it touched, and
// every refusal leaves the file exactly as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "app/recovery_store.h"
#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/component_library_edit.h"
#include "host/model/design.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "tests/app/app_fixture.h"
#include "tests/support/library_text.h"

namespace {

using Script = std::function<void(CDialog&, UserInput&)>;

CWnd* Item(CDialog& dialog, int id) {
  CWnd* control = dialog.GetDlgItem(id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

std::vector<CString> ListLines(CDialog& picker) {
  auto* list = static_cast<CListBox*>(picker.GetDlgItem(IDC_PICKER_LIST));
  std::vector<CString> lines(static_cast<size_t>(list->GetCount()));
  for (int line = 0; line < list->GetCount(); ++line) list->GetText(line, lines[static_cast<size_t>(line)]);
  return lines;
}

// Selects the line of the component, as a click on it does.
void SelectComponent(CDialog& picker, UserInput& input, const char* name) {
  const std::vector<CString> lines = ListLines(picker);
  for (size_t line = 0; line < lines.size(); ++line) {
    if (lines[line].Find(CString(name) + "\t") == 0) {
      EXPECT_TRUE(input.SelectListLine(picker.GetDlgItem(IDC_PICKER_LIST), static_cast<int>(line)));
      return;
    }
  }
  ADD_FAILURE() << "the picker does not list " << name;
}

CString SelectedLine(CDialog& picker) {
  auto* list = static_cast<CListBox*>(picker.GetDlgItem(IDC_PICKER_LIST));
  CString text;
  if (list->GetCurSel() >= 0) list->GetText(list->GetCurSel(), text);
  return text;
}

class AppLibraryTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    m_original = Text();
  }

  std::string Text() const { return ReadFileText(Library().str()); }

  // The New Component dialog as the user fills it: a NAND2 component of `gates` gates
  // in DIP-14, with the footprint chosen or not.
  static Script NewNand(const char* name, bool footprint, const char* gates = "4") {
    return [=](CDialog& dialog, UserInput& input) {
      EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME), name));
      EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PACKAGE_COMBO), "DIP-14"));
      EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_DEFAULT_REFERENCE), "U"));
      if (footprint) {
        EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PCB_SYMBOL_COMBO), "DIP-14"));
      }
      EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_SCM_SYMBOL_COMBO), "NAND2"));
      EXPECT_TRUE(input.TypeText(Item(dialog, IDC_GATE_COUNT), gates));
      EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    };
  }

  // Opens the library's picker with File > Open Library; the script acts in it and the
  // picker is then cancelled.
  void InPicker(const Script& script) {
    prompt.openAnswers = {Library()};
    Screen().ExpectDialog(IDD_COMPONENT_PICKER, [&](CDialog& picker, UserInput& input) {
      script(picker, input);
      EXPECT_TRUE(input.Click(Item(picker, IDCANCEL)));
    });
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_OPEN_LIBRARY));
  }

  // The name dialog comes up proposing `proposed`; the user types `name` and confirms.
  void ExpectNameAsked(const char* proposed, const char* name) {
    Screen().ExpectDialog(IDD_COMPONENT_NAME, [=](CDialog& dialog, UserInput& input) {
      EXPECT_EQ(Item(dialog, IDC_COMPONENT_NAME_EDIT)->GetWindowText(), proposed);
      EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME_EDIT), name));
      EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    });
  }

  std::string m_original;
};

// ---- New Component ----

TEST_F(AppLibraryTest, ANewComponentIsCreatedEditedSavedAndReopened) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_NEW_COMPONENT, NewNand("NAND-X", true));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'N', FCONTROL));

  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - NAND-X - sample.cmplib");
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), 4);
  EXPECT_TRUE(Frame().GetDesign()->IsModified()) << "a component not yet in its library is unsaved";
  EXPECT_EQ(Text(), m_original) << "nothing is written before the first save";
  // Its recovery copy, once due, holds it as a component not yet in the library.
  App().SetRecoveryClock([] { return std::chrono::steady_clock::now() + std::chrono::minutes(2); });
  App().OnRecoveryTimer();
  App().WaitForRecoveryCopies();
  const std::filesystem::path copies = App().RecoveryFolder().str();
  ASSERT_TRUE(std::filesystem::exists(copies) && !std::filesystem::is_empty(copies)) << "no copy";
  RecoveryCopy copy;
  CString error;
  const std::filesystem::path file = std::filesystem::directory_iterator(copies)->path();
  ASSERT_TRUE(CRecoveryStore::Parse(ReadFileText(file), file.string(), copy, error)) << error.str();
  EXPECT_EQ(copy.component.name, "NAND-X");
  EXPECT_FALSE(copy.inLibrary);

  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(7, 2, 3);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  App().WaitForRecoveryCopies();
  EXPECT_TRUE(std::filesystem::is_empty(copies)) << "the first save removed the copy";

  const std::string saved = Text();
  EXPECT_EQ(TextWithout(saved, "NAND-X"), m_original) << "the other components keep their bytes";
  EXPECT_FALSE(Frame().GetDesign()->IsModified());
  App().CloseDocument(*Frame().GetDesign());
  ASSERT_TRUE(App().OpenComponent(Library(), "nand-x"));
  const CComponent& reopened = *Frame().GetComponent(false);
  EXPECT_EQ(reopened.GetName(), "NAND-X");
  EXPECT_EQ(reopened.GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(reopened.CountGates(), 4);
  EXPECT_EQ(reopened.GetPinNumber(2, 3), 7);
  EXPECT_EQ(reopened.GetPinNumber(0, 1), CGate::kNoPin);

  // From now on a save replaces the component in its place, as for any other.
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(1, 0, 1);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(TextWithout(Text(), "NAND-X"), m_original);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

TEST_F(AppLibraryTest, ANameTheLibraryHoldsIsRefusedInTheDialogWhichKeepsEveryField) {
  ASSERT_TRUE(Open());
  Screen().ExpectMessageBox(IDOK, CString("The library \"sample.cmplib\" already holds a component named "
                                          "\"hex-inv\". Choose another name."));
  Screen().ExpectDialog(IDD_NEW_COMPONENT, [](CDialog& dialog, UserInput& input) {
    NewNand("hex-inv", false)(dialog, input);
    ASSERT_TRUE(dialog.IsModalActive());
    EXPECT_EQ(CWnd::GetFocusHandle(), Item(dialog, IDC_COMPONENT_NAME)->m_hWnd);
    EXPECT_EQ(Item(dialog, IDC_SCM_SYMBOL_COMBO)->GetWindowText(), "NAND2");
    EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME), "NAND-X"));
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_NEW_COMPONENT));

  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Frame().GetComponent(false)->GetName(), "NAND-X");
  EXPECT_EQ(Frame().GetComponent(false)->GetPackage(), "DIP-14");
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), 4);
  EXPECT_EQ(Text(), m_original);
}

TEST_F(AppLibraryTest, AFirstSaveRefusesANameTakenMeanwhileAndKeepsTheComponentOpen) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_NEW_COMPONENT, NewNand("LATER", false, "1"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'N', FCONTROL));
  CString error;
  ASSERT_TRUE(CComponentLibraryEdit::CopyComponent(Library(), "HEX-INV", "LATER", error)) << error.str();
  const std::string before = Text();

  Screen().ExpectMessageBox(IDOK, CString("The library \"sample.cmplib\" already holds a component named "
                                          "\"LATER\".\n\nThe file on disk was not changed."));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));

  EXPECT_EQ(Text(), before);
  EXPECT_EQ(Frame().GetComponent(false)->GetName(), "LATER");
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
}

TEST_F(AppLibraryTest, WithNoLibraryYetNewComponentAsksWhichAndCancelOpensNothing) {
  prompt.openAnswers = {Library()};
  Screen().ExpectDialog(IDD_NEW_COMPONENT, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.Click(Item(dialog, IDCANCEL)));
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'N', FCONTROL));

  EXPECT_EQ(prompt.asked, 1);
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(Text(), m_original);
}

TEST_F(AppLibraryTest, NewLibraryIsMadeEmptyAndTakesItsFirstComponentOnSave) {
  const CString path = Path("mine.cmplib");
  prompt.saveAnswers = {path};
  std::vector<LibraryEntry> whileAsked{{"x", {}, 0}};
  Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& dialog, UserInput& input) {
    CString error;
    EXPECT_TRUE(CComponentLibraryFile::ReadContents(path, whileAsked, error)) << error.str();
    EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME), "FIRST"));
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_COMBO), "TO-92"));
    EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_DEFAULT_REFERENCE), "Q"));
    EXPECT_TRUE(input.TypeText(Item(dialog, IDC_PCB_PIN_COUNT), "3"));
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_NEW_LIBRARY));
  EXPECT_TRUE(whileAsked.empty()) << "the library exists, empty, while its first component is asked for";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  std::vector<LibraryEntry> entries;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::ReadContents(path, entries, error)) << error.str();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "FIRST");
  EXPECT_EQ(entries[0].packages, std::vector<CString>{"TO-92"});
  EXPECT_EQ(entries[0].gates, 0);
  EXPECT_EQ(Text(), m_original);
}

TEST_F(AppLibraryTest, NewLibraryNeverOverwritesAFile) {
  prompt.saveAnswers = {Library()};
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_NEW_LIBRARY));
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 1u);
  EXPECT_NE(Screen().MessageBoxesShown()[0].text.Find("already exists"), -1);
  EXPECT_EQ(Text(), m_original);
  EXPECT_EQ(App().CountOpenComponents(), 0);
}

// ---- The picker ----

TEST_F(AppLibraryTest, DuplicateAsksForAValidNameAndPutsTheCopyAfterTheOriginal) {
  std::vector<CString> lines;
  CString selected;
  InPicker([&](CDialog& picker, UserInput& input) {
    SelectComponent(picker, input, "HEX-INV");
    Screen().ExpectDialog(IDD_COMPONENT_NAME, [](CDialog& dialog, UserInput& input) {
      EXPECT_EQ(dialog.GetWindowText(), "Duplicate HEX-INV");
      EXPECT_EQ(Item(dialog, IDC_COMPONENT_NAME_EDIT)->GetWindowText(), "HEX-INV-COPY");
      EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME_EDIT), " "));
      EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
      EXPECT_TRUE(dialog.IsModalActive()) << "an empty name is refused";
      EXPECT_TRUE(input.TypeText(Item(dialog, IDC_COMPONENT_NAME_EDIT), "HEX-INV-SMD"));
      EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    });
    Screen().ExpectMessageBox(IDOK, CString("Component name cannot be empty."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_DUPLICATE)));
    lines = ListLines(picker);
    selected = SelectedLine(picker);
  });

  EXPECT_EQ(lines.size(), 5u);
  EXPECT_EQ(selected, "HEX-INV-SMD\tDIP-14, TSSOP-14\t7 gates");
  const std::string text = Text();
  EXPECT_EQ(TextWithout(text, "HEX-INV-SMD"), m_original);
  EXPECT_NE(text.find(ComponentBytes(m_original, "HEX-INV") + ",\n" + ComponentBytes(text, "HEX-INV-SMD")),
            std::string::npos)
      << "the copy comes right after the original";
}

TEST_F(AppLibraryTest, RenameKeepsEveryOtherByteAndRefusesATakenName) {
  CString afterRename;
  InPicker([&](CDialog& picker, UserInput& input) {
    SelectComponent(picker, input, "DUAL-OPAMP");
    ExpectNameAsked("DUAL-OPAMP", "Resistor");
    Screen().ExpectMessageBox(IDOK, CString("The library \"sample.cmplib\" already holds a component named "
                                            "\"Resistor\".\n\nThe library was not changed."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_RENAME)));
    EXPECT_EQ(Text(), m_original);
    ExpectNameAsked("DUAL-OPAMP", "OPAMP-2");
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_RENAME)));
    afterRename = SelectedLine(picker);
  });

  EXPECT_EQ(afterRename.Find("OPAMP-2\t"), 0);
  const std::string text = Text();
  EXPECT_EQ(TextWithout(text, "OPAMP-2"), TextWithout(m_original, "DUAL-OPAMP"));
  std::string expected = ComponentBytes(m_original, "DUAL-OPAMP");
  expected.replace(expected.find("DUAL-OPAMP"), 10, "OPAMP-2");
  EXPECT_EQ(ComponentBytes(text, "OPAMP-2"), expected);
}

TEST_F(AppLibraryTest, DeleteAsksFirstAndTakesOutOnlyThatComponent) {
  std::vector<CString> lines;
  InPicker([&](CDialog& picker, UserInput& input) {
    SelectComponent(picker, input, "RESISTOR");
    Screen().ExpectMessageBox(IDNO, CString("Delete RESISTOR from sample.cmplib? This cannot be undone."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_DELETE)));
    EXPECT_EQ(Text(), m_original) << "No keeps it";
    Screen().ExpectMessageBox(IDYES, CString("Delete RESISTOR from sample.cmplib? This cannot be undone."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_DELETE)));
    lines = ListLines(picker);
  });

  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(Text(), TextWithout(m_original, "RESISTOR"));
}

TEST_F(AppLibraryTest, AComponentOpenInATabIsNeitherRenamedNorDeleted) {
  ASSERT_TRUE(Open("HEX-INV"));
  InPicker([&](CDialog& picker, UserInput& input) {
    SelectComponent(picker, input, "HEX-INV");
    Screen().ExpectMessageBox(IDOK,
                              CString("HEX-INV is open in a tab. Close its tab first, then rename it here."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_RENAME)));
    Screen().ExpectMessageBox(IDOK,
                              CString("HEX-INV is open in a tab. Close its tab first, then delete it here."));
    EXPECT_TRUE(input.Click(Item(picker, IDC_PICKER_DELETE)));
  });

  EXPECT_EQ(Text(), m_original);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 2u);
}

TEST_F(AppLibraryTest, OpeningAnOpenComponentAgainBringsItsTabForward) {
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(Open("hex-inv"));
  EXPECT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Frame().GetComponent(false)->GetName(), "HEX-INV");
}

}  // namespace
