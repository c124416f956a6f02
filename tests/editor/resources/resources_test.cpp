#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "editor/resources/component_editor_resources.h"
#include "editor/resources/resource_ids.h"
#include "host/resources/host_resources.h"
#include "platform/constants.h"
#include "platform/resource_registry.h"

namespace {

// Height of a drop-down combo box with its list closed: the part that always
// takes room in the dialog. The template's height includes the dropped list.
constexpr int kClosedComboHeight = 12;

const std::vector<UINT> kModalDialogs = {IDD_SELECT_PACKAGE, IDD_ADD_PACKAGE,    IDD_ADD_GATE,
                                         IDD_NEW_COMPONENT,  IDD_DELETE_PACKAGE, IDD_DISPLAY};
const std::vector<UINT> kPropertyPages = {IDD_COMPONENT_PAGE, IDD_PACKAGE_PAGE, IDD_GATE_PAGE,
                                          IDD_SCM_PIN_PAGE, IDD_PCB_PIN_PAGE};

const ResourceModule& Editor() {
  return ComponentEditorResources();
}

const DialogTemplate& Dialog(UINT id) {
  return Editor().dialogs.at(id);
}

const ControlTemplate& Control(UINT dialogId, int controlId) {
  const ControlTemplate* control = Dialog(dialogId).FindControl(controlId);
  if (control == nullptr) {
    ADD_FAILURE() << "template " << dialogId << " has no control " << controlId;
    static const ControlTemplate kNone;
    return kNone;
  }
  return *control;
}

bool IsClass(const ControlTemplate& c, const char* className) {
  return c.className == className;
}
bool IsGroupBox(const ControlTemplate& c) {
  return IsClass(c, kClassButton) && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
}
bool IsDropDownCombo(const ControlTemplate& c) {
  return IsClass(c, kClassComboBox) && (c.style & CBS_TYPEMASK) != CBS_SIMPLE;
}
DWORD ComboType(const ControlTemplate& c) {
  return c.style & CBS_TYPEMASK;
}

struct Box {
  int left, top, right, bottom;
};

// The room a control takes in its dialog.
Box Footprint(const ControlTemplate& c) {
  const int height = IsDropDownCombo(c) ? kClosedComboHeight : c.cy;
  return {c.x, c.y, c.x + c.cx, c.y + height};
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Box& outer, const Box& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Describe(const ControlTemplate& c) {
  return "control " + std::to_string(c.id) + " \"" + c.text + "\" (" + c.className + " at " +
         std::to_string(c.x) + "," + std::to_string(c.y) + ")";
}

// The static text that comes right before a control in tab order: the label
// whose mnemonic and screen reader name reach the control.
std::string LabelBefore(UINT dialogId, int controlId) {
  const auto& controls = Dialog(dialogId).controls;
  const auto it = std::find_if(controls.begin(), controls.end(),
                               [&](const ControlTemplate& c) { return c.id == controlId; });
  if (it == controls.end() || it == controls.begin()) return "";
  const ControlTemplate& previous = *(it - 1);
  return IsClass(previous, kClassStatic) ? previous.text : "";
}

const ControlTemplate* GroupTitled(UINT dialogId, const std::string& text) {
  for (const ControlTemplate& c : Dialog(dialogId).controls) {
    if (IsGroupBox(c) && c.text == text) return &c;
  }
  return nullptr;
}

// The conversions of a format text, in order: the letter of each printf
// conversion, or the digit of each %1-style insert.
std::string Conversions(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == '%') {
      ++i;
      continue;
    }
    found += text[i + 1];
    ++i;
  }
  return found;
}

// ---------------------------------------------------------------------------
// String table.

TEST(ComponentEditorStrings, EveryIdentifierOfTheRangeHasTextAndNothingElseIsDefined) {
  for (UINT id = IDS_FIRST_COMPONENT_EDITOR_STRING; id <= IDS_LAST_COMPONENT_EDITOR_STRING; ++id) {
    const auto it = Editor().strings.find(id);
    ASSERT_NE(it, Editor().strings.end()) << "string " << id << " is missing";
    EXPECT_FALSE(it->second.empty()) << "string " << id << " is empty";
  }
  EXPECT_EQ(Editor().strings.size(),
            IDS_LAST_COMPONENT_EDITOR_STRING - IDS_FIRST_COMPONENT_EDITOR_STRING + 1);
}

TEST(ComponentEditorStrings, TextsShownToTheUserAreWordedExactly) {
  const std::map<UINT, std::string> expected = {
      {19000, "Gate %s"},
      {19001, "Schematic Symbol"},
      {19002, "Terminal Number"},
      {19003, "Terminal Name"},
      {19005, "Package"},
      {19006, "Properties"},
      {19007, "Gate "},
      {19011, "Package \"%1\" is already defined for this component."},
      {19012, "Cannot delete the last package for a component."},
      {19013, "&Properties..."},
      {19014, "Gate a"},
      {19015, "Remove pin assignments for pin %d?"},
      {19016, "Remove pin assignment for gate %s, terminal %d?"},
      {19017, "Remove all pin assignments?"},
      {19018, "Delete gate %s?"},
      {19019, "Assign Pins"},
      {19020, "Gate %s\tTerminal %d"},
      {19021, "Add Gate"},
      {19022, "Select Package"},
      {19023, "Add Package"},
      {19024, "Values"},
      {19025, "Delete Package"},
      {19026, "Add Gate %s"},
      {19027,
       "Due to a problem initialising a Microsoft OCX control the grid cannot be displayed.\n\n"
       "This option has now been turned off in Preferences."},
      {19028, "Cancel"},
      {19029, "Symbol %1 does not exist."},
      {19030, "Cannot open library \"%1\"."},
      {19031, "Symbol name cannot be empty."},
      {19032, "Delete"},
      {19033, "Edit Symbol Name"},
      {19034, "Edit Terminal Name"},
      {19035, "Edit Pin Map"},
      {19036, "There is a mismatch between terminals and pads. Process will assign as best as possible."},
      {19037, "Assign Pins 1-1"},
  };
  for (const auto& [id, text] : expected) {
    const auto it = Editor().strings.find(id);
    ASSERT_NE(it, Editor().strings.end()) << "string " << id << " is missing";
    EXPECT_EQ(it->second, text) << "string " << id;
  }
}

// Callers format some texts printf-style and fill others with message inserts;
// a conversion that does not match what the caller passes reads garbage.
TEST(ComponentEditorStrings, FormatTextsTakeExactlyTheArgumentsTheirCallersPass) {
  const std::map<UINT, std::string> conversions = {
      {IDS_GATE_HEADER, "s"},
      {IDS_ERR_PACKAGE_EXISTS, "1"},
      {IDS_ASK_REMOVE_PIN_ASSIGNMENTS, "d"},
      {IDS_ASK_REMOVE_TERMINAL_ASSIGNMENT, "sd"},
      {IDS_ASK_DELETE_GATE, "s"},
      {IDS_PIN_ASSOCIATION, "sd"},
      {IDS_ADD_GATE_TITLE, "s"},
      {IDS_ERR_SYMBOL_NOT_FOUND, "1"},
      {IDS_ERR_CANNOT_OPEN_LIBRARY, "1"},
  };
  for (const auto& [id, text] : Editor().strings) {
    const auto expected = conversions.find(id);
    EXPECT_EQ(Conversions(text), expected == conversions.end() ? "" : expected->second)
        << "string " << id << ": " << text;
  }
}

// The host lists undo steps by these names; two steps with one name could not
// be told apart.
TEST(ComponentEditorStrings, UndoLevelsHaveDistinctNames) {
  const std::vector<UINT> levels = {
      IDS_UNDO_PROPERTIES,     IDS_UNDO_ASSIGN_PINS,      IDS_UNDO_ADD_GATE,
      IDS_UNDO_SELECT_PACKAGE, IDS_UNDO_ADD_PACKAGE,      IDS_UNDO_DELETE_PACKAGE,
      IDS_UNDO_DELETE,         IDS_UNDO_EDIT_SYMBOL_NAME, IDS_UNDO_EDIT_TERMINAL_NAME,
      IDS_UNDO_EDIT_PIN_MAP,   IDS_UNDO_ASSIGN_PINS_121};
  std::set<std::string> names;
  for (UINT id : levels) {
    const std::string& name = Editor().strings.at(id);
    EXPECT_TRUE(names.insert(name).second) << "undo level " << id << " repeats \"" << name << "\"";
    EXPECT_EQ(Conversions(name), "") << "undo level " << id << " is shown unformatted";
  }
}

// ---------------------------------------------------------------------------
// The modules in the application's resources.

class RegisteredResources : public ::testing::Test {
 protected:
  void SetUp() override {
    Resources::AddModule(&HostResources());
    Resources::AddModule(&ComponentEditorResources());
  }
  void TearDown() override {
    Resources::RemoveModule(&ComponentEditorResources());
    Resources::RemoveModule(&HostResources());
  }
};

TEST_F(RegisteredResources, TheEditorsStringsAndTemplatesAreFoundWhileItIsLoaded) {
  const std::string* pinMap = Resources::FindString(IDS_UNDO_EDIT_PIN_MAP);
  ASSERT_NE(pinMap, nullptr);
  EXPECT_EQ(*pinMap, "Edit Pin Map");
  EXPECT_EQ(Resources::FindDialog(IDD_ADD_GATE), &Dialog(IDD_ADD_GATE));

  Resources::RemoveModule(&ComponentEditorResources());
  EXPECT_EQ(Resources::FindString(IDS_UNDO_EDIT_PIN_MAP), nullptr);
  EXPECT_EQ(Resources::FindDialog(IDD_ADD_GATE), nullptr);
}

TEST_F(RegisteredResources, TheHostQuestionIsFoundBesideTheEditorsTexts) {
  const std::string* question = Resources::FindString(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question, &HostResources().strings.at(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN));
  for (const auto& [id, text] : HostResources().strings) {
    EXPECT_EQ(Editor().strings.count(id), 0u) << "string " << id << " is defined by both modules";
  }
}

// The editor formats it with the validity report as insert %1 and shows it with
// Yes and No; Yes goes on with the design.
TEST(HostStrings, TheInvalidDesignQuestionTakesTheReportAndAsksYesOrNo) {
  const auto it = HostResources().strings.find(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN);
  ASSERT_NE(it, HostResources().strings.end());
  const std::string& text = it->second;
  EXPECT_EQ(Conversions(text), "1");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '?');
  EXPECT_LT(text.find("%1"), text.rfind('\n')) << "the question should follow the report";
}

// ---------------------------------------------------------------------------
// Dialog templates, all of them.

TEST(ComponentEditorTemplates, EachDialogAndPageHasItsTemplateCaptionAndFont) {
  const std::map<UINT, std::string> captions = {
      {IDD_SELECT_PACKAGE, "Select Package"},
      {IDD_COMPONENT_PAGE, "Component"},
      {IDD_ADD_PACKAGE, "Add Package"},
      {IDD_ADD_GATE, "Add Gate"},
      {IDD_PACKAGE_PAGE, "Package"},
      {IDD_GATE_PAGE, "Gate"},
      {IDD_NEW_COMPONENT, "New Component"},
      {IDD_DELETE_PACKAGE, "Delete Package"},
      {IDD_SCM_PIN_PAGE, "Schematic Pin"},
      {IDD_PCB_PIN_PAGE, "PCB Pin"},
      {IDD_DISPLAY, "Display"},
  };
  ASSERT_EQ(Editor().dialogs.size(), captions.size());
  for (const auto& [id, dialog] : Editor().dialogs) {
    ASSERT_EQ(captions.count(id), 1u) << "unexpected template " << id;
    EXPECT_EQ(dialog.id, id);
    EXPECT_EQ(dialog.caption, captions.at(id)) << "template " << id;
    EXPECT_EQ(dialog.fontName, "MS Sans Serif") << "template " << id;
    EXPECT_EQ(dialog.fontSize, 8) << "template " << id;
    EXPECT_TRUE(dialog.style & DS_SETFONT) << "template " << id;
    EXPECT_FALSE(dialog.controls.empty()) << "template " << id;
  }
}

TEST(ComponentEditorTemplates, DialogsHaveTheirSizeInDialogUnits) {
  const std::map<UINT, std::pair<int, int>> sizes = {
      {IDD_SELECT_PACKAGE, {158, 58}}, {IDD_DELETE_PACKAGE, {158, 58}}, {IDD_ADD_PACKAGE, {175, 127}},
      {IDD_ADD_GATE, {286, 186}},      {IDD_PACKAGE_PAGE, {177, 151}},  {IDD_GATE_PAGE, {175, 79}},
      {IDD_NEW_COMPONENT, {248, 289}}, {IDD_DISPLAY, {224, 158}},
  };
  for (const auto& [id, size] : sizes) {
    EXPECT_EQ(Dialog(id).cx, size.first) << "template " << id;
    EXPECT_EQ(Dialog(id).cy, size.second) << "template " << id;
  }
}

TEST(ComponentEditorTemplates, ModalDialogsAreFramedPopupsConfirmedByOneDefaultButton) {
  for (UINT id : kModalDialogs) {
    SCOPED_TRACE("template " + std::to_string(id));
    const DialogTemplate& dialog = Dialog(id);
    EXPECT_EQ(dialog.style, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT);
    const ControlTemplate& ok = Control(id, IDOK);
    const ControlTemplate& cancel = Control(id, IDCANCEL);
    EXPECT_TRUE(IsClass(ok, kClassButton));
    EXPECT_EQ(ok.style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(IsClass(cancel, kClassButton));
    EXPECT_EQ(cancel.style & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(cancel.text, "Cancel");
    const auto defaults = std::count_if(dialog.controls.begin(), dialog.controls.end(), [](const auto& c) {
      return IsClass(c, kClassButton) && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    });
    EXPECT_EQ(defaults, 1);
  }
}

// The sheet around the pages owns OK, Cancel and Apply, and shows and enables
// the active page itself.
TEST(ComponentEditorTemplates, PropertyPagesAreDisabledChildPagesWithoutButtonsOfTheirOwn) {
  for (UINT id : kPropertyPages) {
    SCOPED_TRACE("template " + std::to_string(id));
    const DialogTemplate& page = Dialog(id);
    EXPECT_EQ(page.style, WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT);
    EXPECT_EQ(page.FindControl(IDOK), nullptr);
    EXPECT_EQ(page.FindControl(IDCANCEL), nullptr);
    for (const ControlTemplate& c : page.controls) {
      if (IsClass(c, kClassButton)) {
        EXPECT_NE(c.style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << Describe(c);
      }
    }
  }
}

TEST(ComponentEditorTemplates, ControlIdentifiersAreUniqueAndInTheEditorsRange) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    std::set<int> seen;
    for (const ControlTemplate& c : dialog.controls) {
      if (c.id == IDC_STATIC) continue;
      EXPECT_TRUE(seen.insert(c.id).second) << "template " << id << " repeats " << Describe(c);
      const bool standard = c.id == IDOK || c.id == IDCANCEL;
      const bool editors =
          c.id >= IDC_FIRST_COMPONENT_EDITOR_CONTROL && c.id <= IDC_LAST_COMPONENT_EDITOR_CONTROL;
      EXPECT_TRUE(standard || editors) << "template " << id << ": " << Describe(c);
    }
  }
}

TEST(ComponentEditorTemplates, ControlsAreVisibleChildrenOfKnownClassesAndTabStopsWhereTheUserTypesOrClicks) {
  const std::set<std::string> classes = {kClassStatic, kClassButton, kClassEdit, kClassComboBox,
                                         kClassListBox};
  for (const auto& [id, dialog] : Editor().dialogs) {
    for (const ControlTemplate& c : dialog.controls) {
      SCOPED_TRACE("template " + std::to_string(id) + ", " + Describe(c));
      EXPECT_EQ(classes.count(c.className), 1u);
      EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE | WS_POPUP), WS_CHILD | WS_VISIBLE);
      const bool passive = IsClass(c, kClassStatic) || IsGroupBox(c) || (c.style & WS_DISABLED);
      EXPECT_EQ((c.style & WS_TABSTOP) != 0, !passive);
      // Only controls the code addresses carry an identifier; group boxes never do.
      if (IsGroupBox(c)) {
        EXPECT_EQ(c.id, IDC_STATIC);
      }
    }
  }
}

TEST(ComponentEditorTemplates, EveryControlLiesInsideItsDialog) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    const Box client{0, 0, dialog.cx, dialog.cy};
    for (const ControlTemplate& c : dialog.controls) {
      EXPECT_GT(c.cx, 0) << "template " << id << ": " << Describe(c);
      EXPECT_GT(c.cy, 0) << "template " << id << ": " << Describe(c);
      EXPECT_TRUE(Contains(client, Footprint(c))) << "template " << id << ": " << Describe(c);
    }
  }
}

TEST(ComponentEditorTemplates, ControlsHaveTheStandardHeightsOfTheirKind) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    for (const ControlTemplate& c : dialog.controls) {
      SCOPED_TRACE("template " + std::to_string(id) + ", " + Describe(c));
      if (IsClass(c, kClassStatic)) {
        EXPECT_EQ(c.cy, 8);
      }
      if (IsClass(c, kClassEdit) && !(c.style & ES_MULTILINE)) {
        EXPECT_EQ(c.cy, 14);
      }
      if (IsClass(c, kClassButton) && (c.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        EXPECT_EQ(c.cy, 14);
      }
      if (IsClass(c, kClassButton) && (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        EXPECT_EQ(c.cy, 10);
      }
      // A drop-down combo needs room below its field, or its list cannot open.
      if (IsDropDownCombo(c)) {
        EXPECT_GT(c.cy, 3 * kClosedComboHeight);
      }
    }
  }
}

TEST(ComponentEditorTemplates, GroupBoxesDoNotOverlapOneAnother) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    std::vector<const ControlTemplate*> groups;
    for (const ControlTemplate& c : dialog.controls) {
      if (IsGroupBox(c)) groups.push_back(&c);
    }
    for (size_t i = 0; i < groups.size(); ++i) {
      for (size_t j = i + 1; j < groups.size(); ++j) {
        EXPECT_FALSE(Overlap(Footprint(*groups[i]), Footprint(*groups[j])))
            << "template " << id << ": " << Describe(*groups[i]) << " and " << Describe(*groups[j]);
      }
    }
  }
}

// Laid out so that no two controls share room (group boxes frame others and are
// left out). In the new component dialog the always-open symbol lists reach one
// unit into the pin-count row below them; those are the only overlaps.
TEST(ComponentEditorTemplates, ControlsDoNotCoverOneAnother) {
  const std::set<std::tuple<UINT, int, int>> allowed = {
      {IDD_NEW_COMPONENT, IDC_PCB_SYMBOL_COMBO, IDC_PCB_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_SCM_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_GATE_COUNT},
  };
  for (const auto& [id, dialog] : Editor().dialogs) {
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      const ControlTemplate& a = dialog.controls[i];
      if (IsGroupBox(a)) continue;
      for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
        const ControlTemplate& b = dialog.controls[j];
        if (IsGroupBox(b)) continue;
        if (allowed.count({id, a.id, b.id}) || allowed.count({id, b.id, a.id})) continue;
        EXPECT_FALSE(Overlap(Footprint(a), Footprint(b)))
            << "template " << id << ": " << Describe(a) << " and " << Describe(b);
      }
    }
  }
}

// Each field is named by the label right before it in tab order, placed to its
// left on the same line.
TEST(ComponentEditorTemplates, FieldsFollowTheLabelThatNamesThem) {
  struct Field {
    UINT dialog;
    int control;
    std::string label;
  };
  const std::vector<Field> fields = {
      {IDD_SELECT_PACKAGE, IDC_PACKAGE_LIST, "Package:"},
      {IDD_DELETE_PACKAGE, IDC_PACKAGE_LIST, "Package:"},
      {IDD_ADD_PACKAGE, IDC_PACKAGE_COMBO, "Package:"},
      {IDD_ADD_PACKAGE, IDC_PCB_LIBRARY_COMBO, "Library:"},
      {IDD_ADD_PACKAGE, IDC_PCB_SYMBOL_COMBO, "Name:"},
      {IDD_ADD_PACKAGE, IDC_PCB_PIN_COUNT, "Pins:"},
      {IDD_ADD_GATE, IDC_SCM_LIBRARY_COMBO, "&Library:"},
      {IDD_ADD_GATE, IDC_SCM_PIN_COUNT, "&Pins:"},
      {IDD_ADD_GATE, IDC_GATE_COUNT, "&How Many:"},
      {IDD_NEW_COMPONENT, IDC_COMPONENT_NAME, "Component:"},
      {IDD_NEW_COMPONENT, IDC_PACKAGE_COMBO, "Package:"},
      {IDD_NEW_COMPONENT, IDC_PCB_LIBRARY_COMBO, "Library:"},
      {IDD_NEW_COMPONENT, IDC_PCB_SYMBOL_COMBO, "Name:"},
      {IDD_NEW_COMPONENT, IDC_PCB_PIN_COUNT, "Pins:"},
      {IDD_NEW_COMPONENT, IDC_SCM_LIBRARY_COMBO, "Library:"},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, "Name:"},
      {IDD_NEW_COMPONENT, IDC_SCM_PIN_COUNT, "Pins:"},
      {IDD_NEW_COMPONENT, IDC_GATE_COUNT, "Gates:"},
      {IDD_NEW_COMPONENT, IDC_DEFAULT_REFERENCE, "Default Reference:"},
      {IDD_COMPONENT_PAGE, IDC_COMPONENT_NAME, "Name:"},
      {IDD_COMPONENT_PAGE, IDC_PACKAGE_LIST, "Packages:"},
      {IDD_COMPONENT_PAGE, IDC_DESCRIPTION, "Description:"},
      {IDD_COMPONENT_PAGE, IDC_DEFAULT_REFERENCE, "Default Reference:"},
      {IDD_PACKAGE_PAGE, IDC_PACKAGE_NAME, "Name:"},
      {IDD_PACKAGE_PAGE, IDC_DESCRIPTION, "Description:"},
      {IDD_PACKAGE_PAGE, IDC_PCB_LIBRARY_COMBO, "Library:"},
      {IDD_PACKAGE_PAGE, IDC_PCB_SYMBOL_COMBO, "Name:"},
      {IDD_PACKAGE_PAGE, IDC_PAGE_PIN_COUNT, "Pins:"},
      {IDD_GATE_PAGE, IDC_SCM_LIBRARY_COMBO, "Library:"},
      {IDD_GATE_PAGE, IDC_SCM_SYMBOL_COMBO, "Name:"},
      {IDD_GATE_PAGE, IDC_PAGE_PIN_COUNT, "Pins:"},
      {IDD_SCM_PIN_PAGE, IDC_GATE_NAME, "Gate:"},
      {IDD_SCM_PIN_PAGE, IDC_TERMINAL_NUMBER, "Terminal:"},
      {IDD_SCM_PIN_PAGE, IDC_PIN_NAME, "Pin Name:"},
      {IDD_SCM_PIN_PAGE, IDC_PIN_NUMBER, "PCB Pin:"},
      {IDD_PCB_PIN_PAGE, IDC_PIN_NUMBER, "Number:"},
      {IDD_PCB_PIN_PAGE, IDC_PIN_NAME, "Pin Name:"},
      {IDD_DISPLAY, IDC_COLOUR_OUTLINES, "Outlines:"},
      {IDD_DISPLAY, IDC_COLOUR_TEXT, "Text:"},
      {IDD_DISPLAY, IDC_COLOUR_ASSIGNED_PINS, "Assigned Pins:"},
      {IDD_DISPLAY, IDC_COLOUR_UNASSIGNED_PINS, "Unassigned Pins:"},
      {IDD_DISPLAY, IDC_COLOUR_TERMINAL_NAMES, "Terminal Names:"},
      {IDD_DISPLAY, IDC_COLOUR_TERMINAL_NUMBERS, "Terminal Numbers:"},
      {IDD_DISPLAY, IDC_COLOUR_SELECTION, "Selection:"},
      {IDD_DISPLAY, IDC_COLOUR_HIGHLIGHT, "Highlight:"},
      {IDD_DISPLAY, IDC_COLOUR_BACKGROUND, "BackGround:"},
  };
  for (const Field& field : fields) {
    SCOPED_TRACE("template " + std::to_string(field.dialog) + ", control " + std::to_string(field.control));
    EXPECT_EQ(LabelBefore(field.dialog, field.control), field.label);
    const auto& controls = Dialog(field.dialog).controls;
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [&](const ControlTemplate& c) { return c.id == field.control; });
    if (it == controls.end() || it == controls.begin()) continue;
    const ControlTemplate& label = *(it - 1);
    EXPECT_LE(label.x + label.cx, it->x);
    EXPECT_GE(label.y, it->y);
    EXPECT_LE(label.y, it->y + 4);
  }
}

// The library symbol chooser drives the same three controls in every dialog and
// page that picks a symbol: a sorted list of library files, a sorted symbol
// list (simple or drop-down) and a pin-count edit.
TEST(ComponentEditorTemplates, SymbolChoosersHaveALibraryListASymbolListAndAPinCount) {
  struct Chooser {
    UINT dialog;
    int library;
    int symbol;
    DWORD symbolType;
    int pins;
  };
  const std::vector<Chooser> choosers = {
      {IDD_ADD_GATE, IDC_SCM_LIBRARY_COMBO, IDC_SCM_SYMBOL_COMBO, CBS_SIMPLE, IDC_SCM_PIN_COUNT},
      {IDD_ADD_PACKAGE, IDC_PCB_LIBRARY_COMBO, IDC_PCB_SYMBOL_COMBO, CBS_DROPDOWN, IDC_PCB_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_LIBRARY_COMBO, IDC_SCM_SYMBOL_COMBO, CBS_SIMPLE, IDC_SCM_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_PCB_LIBRARY_COMBO, IDC_PCB_SYMBOL_COMBO, CBS_SIMPLE, IDC_PCB_PIN_COUNT},
      {IDD_GATE_PAGE, IDC_SCM_LIBRARY_COMBO, IDC_SCM_SYMBOL_COMBO, CBS_DROPDOWN, IDC_PAGE_PIN_COUNT},
      {IDD_PACKAGE_PAGE, IDC_PCB_LIBRARY_COMBO, IDC_PCB_SYMBOL_COMBO, CBS_DROPDOWN, IDC_PAGE_PIN_COUNT},
  };
  for (const Chooser& chooser : choosers) {
    SCOPED_TRACE("template " + std::to_string(chooser.dialog));
    const ControlTemplate& library = Control(chooser.dialog, chooser.library);
    const ControlTemplate& symbol = Control(chooser.dialog, chooser.symbol);
    const ControlTemplate& pins = Control(chooser.dialog, chooser.pins);
    EXPECT_TRUE(IsClass(library, kClassComboBox));
    EXPECT_EQ(ComboType(library), CBS_DROPDOWNLIST);
    EXPECT_TRUE(library.style & CBS_SORT);
    EXPECT_TRUE(IsClass(symbol, kClassComboBox));
    EXPECT_EQ(ComboType(symbol), chooser.symbolType);
    EXPECT_TRUE(symbol.style & CBS_SORT);
    EXPECT_TRUE(IsClass(pins, kClassEdit));
    // The chooser locks the count itself while the library supplies it.
    EXPECT_FALSE(pins.style & ES_READONLY);
  }
}

// ---------------------------------------------------------------------------
// Individual dialogs.

TEST(AddGateTemplate, ListsItsElevenControlsWithTheirRectanglesInTabOrder) {
  struct Expected {
    int id;
    const char* className;
    std::string text;
    int x, y, cx, cy;
  };
  const std::vector<Expected> expected = {
      {IDC_STATIC, kClassStatic, "&Library:", 7, 9, 24, 8},
      {1030, kClassComboBox, "", 46, 7, 110, 69},
      {IDC_STATIC, kClassStatic, "&Name:", 7, 24, 22, 8},
      {IDC_STATIC, kClassStatic, "&Pins:", 7, 149, 16, 8},
      {1020, kClassEdit, "", 47, 147, 40, 14},
      {IDOK, kClassButton, "&Add", 229, 7, 50, 14},
      {IDCANCEL, kClassButton, "Cancel", 229, 24, 50, 14},
      {1037, kClassButton, "&Find Symbol...", 162, 7, 50, 14},
      {IDC_STATIC, kClassStatic, "&How Many:", 7, 165, 37, 8},
      {1021, kClassEdit, "", 47, 164, 40, 14},
      {1019, kClassComboBox, "", 46, 23, 110, 120},
  };
  const auto& controls = Dialog(IDD_ADD_GATE).controls;
  ASSERT_EQ(controls.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("control #" + std::to_string(i));
    EXPECT_EQ(controls[i].id, expected[i].id);
    EXPECT_EQ(controls[i].className, expected[i].className);
    EXPECT_EQ(controls[i].text, expected[i].text);
    EXPECT_EQ(controls[i].x, expected[i].x);
    EXPECT_EQ(controls[i].y, expected[i].y);
    EXPECT_EQ(controls[i].cx, expected[i].cx);
    EXPECT_EQ(controls[i].cy, expected[i].cy);
  }
  EXPECT_EQ(ComboType(Control(IDD_ADD_GATE, 1019)), CBS_SIMPLE);
  EXPECT_EQ(ComboType(Control(IDD_ADD_GATE, 1030)), CBS_DROPDOWNLIST);
}

TEST(PackageChoiceTemplates, SelectAndDeleteShareOneLayoutAndDifferInCaptionAndConfirmButton) {
  const DialogTemplate& select = Dialog(IDD_SELECT_PACKAGE);
  const DialogTemplate& remove = Dialog(IDD_DELETE_PACKAGE);
  EXPECT_EQ(select.cx, remove.cx);
  EXPECT_EQ(select.cy, remove.cy);
  ASSERT_EQ(select.controls.size(), remove.controls.size());
  for (size_t i = 0; i < select.controls.size(); ++i) {
    const ControlTemplate& a = select.controls[i];
    const ControlTemplate& b = remove.controls[i];
    SCOPED_TRACE(Describe(a));
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.className, b.className);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(std::tie(a.x, a.y, a.cx, a.cy), std::tie(b.x, b.y, b.cx, b.cy));
    if (a.id != IDOK) {
      EXPECT_EQ(a.text, b.text);
    }
  }
  EXPECT_EQ(Control(IDD_SELECT_PACKAGE, IDOK).text, "OK");
  EXPECT_EQ(Control(IDD_DELETE_PACKAGE, IDOK).text, "&Delete");
  // One sorted list of packages with an edit field.
  const ControlTemplate& list = Control(IDD_SELECT_PACKAGE, IDC_PACKAGE_LIST);
  EXPECT_TRUE(IsClass(list, kClassComboBox));
  EXPECT_EQ(ComboType(list), CBS_DROPDOWN);
  EXPECT_EQ(list.style & (CBS_SORT | WS_VSCROLL), CBS_SORT | WS_VSCROLL);
}

// A section's check box enables exactly the controls framed with it, so every
// control it switches must lie in its frame, and nothing else addressed may.
TEST(NewComponentTemplate, EachSectionFrameHoldsTheControlsItsCheckBoxSwitches) {
  struct Section {
    int checkBox;
    std::string text;
    std::set<int> controls;
  };
  const std::vector<Section> sections = {
      {IDC_PCB_SECTION, "PCB Symbol", {1017, 1032, 1042, 1018, 1047, 1048, 1049}},
      {IDC_SCM_SECTION, "Schematic Symbol", {1019, 1030, 1041, 1020, 1021, 1043, 1044, 1045, 1046}},
  };
  const DialogTemplate& dialog = Dialog(IDD_NEW_COMPONENT);
  for (const Section& section : sections) {
    SCOPED_TRACE(section.text);
    const ControlTemplate& check = Control(IDD_NEW_COMPONENT, section.checkBox);
    EXPECT_EQ(check.text, section.text);
    EXPECT_EQ(check.style & BS_TYPEMASK, BS_AUTOCHECKBOX);
    // The frame whose top edge the check box covers.
    const ControlTemplate* frame = nullptr;
    for (const ControlTemplate& c : dialog.controls) {
      if (IsGroupBox(c) && c.y >= check.y && c.y < check.y + check.cy) frame = &c;
    }
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->text, "") << "the check box is the frame's caption";
    EXPECT_EQ(check.x, frame->x);
    for (const ControlTemplate& c : dialog.controls) {
      if (c.id == IDC_STATIC || c.id == section.checkBox) continue;
      const bool inside = Contains(Footprint(*frame), Footprint(c));
      EXPECT_EQ(inside, section.controls.count(c.id) == 1) << Describe(c);
    }
  }
  EXPECT_EQ(Control(IDD_NEW_COMPONENT, IDC_FIND_SCM_SYMBOL).text, "Find Symbol...");
  EXPECT_EQ(Control(IDD_NEW_COMPONENT, IDC_FIND_PCB_SYMBOL).text, "Find Symbol...");
}

TEST(DisplayTemplate, OffersNineOwnerDrawnColourListsInOneColumn) {
  const std::set<int> colours = {
      IDC_COLOUR_UNASSIGNED_PINS, IDC_COLOUR_BACKGROUND,       IDC_COLOUR_SELECTION,
      IDC_COLOUR_OUTLINES,        IDC_COLOUR_ASSIGNED_PINS,    IDC_COLOUR_TEXT,
      IDC_COLOUR_TERMINAL_NAMES,  IDC_COLOUR_TERMINAL_NUMBERS, IDC_COLOUR_HIGHLIGHT};
  std::set<int> combos;
  for (const ControlTemplate& c : Dialog(IDD_DISPLAY).controls) {
    if (!IsClass(c, kClassComboBox)) continue;
    combos.insert(c.id);
    SCOPED_TRACE(Describe(c));
    EXPECT_EQ(c.style, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS |
                           WS_VSCROLL | WS_TABSTOP);
    EXPECT_EQ(std::tie(c.x, c.cx, c.cy), std::make_tuple(84, 48, 50));
  }
  EXPECT_EQ(combos, colours);
  EXPECT_EQ(std::tie(Control(IDD_DISPLAY, IDOK).x, Control(IDD_DISPLAY, IDOK).y), std::make_tuple(167, 7));
  EXPECT_EQ(std::tie(Control(IDD_DISPLAY, IDCANCEL).x, Control(IDD_DISPLAY, IDCANCEL).y),
            std::make_tuple(167, 27));
}

// ---------------------------------------------------------------------------
// Property pages.

TEST(ComponentPageTemplate, ShowNameCheckBoxesAreGroupedPerDrawingInTheirFlagOrder) {
  const std::vector<std::string> labels = {"Reference", "Component", "Symbol",
                                           "Package",   "Pin Name",  "Pin Number"};
  struct Group {
    std::string title;
    int first;
  };
  for (const Group& group :
       {Group{"Names in Schematic", IDC_SCM_SHOW_REFERENCE}, Group{"Names in PCB", IDC_PCB_SHOW_REFERENCE}}) {
    SCOPED_TRACE(group.title);
    const ControlTemplate* frame = GroupTitled(IDD_COMPONENT_PAGE, group.title);
    ASSERT_NE(frame, nullptr);
    int previousY = -1;
    for (size_t i = 0; i < labels.size(); ++i) {
      const ControlTemplate& check = Control(IDD_COMPONENT_PAGE, group.first + static_cast<int>(i));
      EXPECT_EQ(check.text, labels[i]);
      EXPECT_EQ(check.style & BS_TYPEMASK, BS_AUTOCHECKBOX);
      EXPECT_TRUE(Contains(Footprint(*frame), Footprint(check))) << Describe(check);
      EXPECT_GT(check.y, previousY) << "check boxes run top to bottom in flag order";
      previousY = check.y;
    }
  }
}

TEST(ComponentPageTemplate, NameIsShownOnlyAndDescriptionTakesSeveralLines) {
  const ControlTemplate& name = Control(IDD_COMPONENT_PAGE, IDC_COMPONENT_NAME);
  EXPECT_TRUE(IsClass(name, kClassEdit));
  EXPECT_TRUE(name.style & WS_DISABLED);
  const ControlTemplate& packages = Control(IDD_COMPONENT_PAGE, IDC_PACKAGE_LIST);
  EXPECT_TRUE(IsClass(packages, kClassListBox));
  EXPECT_TRUE(packages.style & LBS_SORT);
  const ControlTemplate& description = Control(IDD_COMPONENT_PAGE, IDC_DESCRIPTION);
  EXPECT_TRUE(IsClass(description, kClassEdit));
  EXPECT_EQ(description.style & (ES_MULTILINE | ES_WANTRETURN), ES_MULTILINE | ES_WANTRETURN);
  EXPECT_GE(description.cy, 2 * 8 + 4) << "room for at least two lines";
  const ControlTemplate& reference = Control(IDD_COMPONENT_PAGE, IDC_DEFAULT_REFERENCE);
  EXPECT_TRUE(IsClass(reference, kClassComboBox));
  EXPECT_EQ(ComboType(reference), CBS_DROPDOWN);
  EXPECT_TRUE(reference.style & CBS_SORT);
}

TEST(PinPageTemplates, FieldsSitInTheirGroupsAndOnlyTheTerminalNameOfASchematicPinIsEditable) {
  struct Field {
    UINT page;
    int id;
    std::string group;
    bool editable;
  };
  const std::vector<Field> fields = {
      {IDD_SCM_PIN_PAGE, IDC_GATE_NAME, "Schematic Pin", false},
      {IDD_SCM_PIN_PAGE, IDC_TERMINAL_NUMBER, "Schematic Pin", false},
      {IDD_SCM_PIN_PAGE, IDC_PIN_NAME, "Schematic Pin", true},
      {IDD_SCM_PIN_PAGE, IDC_PIN_NUMBER, "Associations", false},
      {IDD_PCB_PIN_PAGE, IDC_PIN_NUMBER, "PCB Pin", false},
      {IDD_PCB_PIN_PAGE, IDC_PIN_NAME, "PCB Pin", false},
  };
  for (const Field& field : fields) {
    SCOPED_TRACE("template " + std::to_string(field.page) + ", control " + std::to_string(field.id));
    const ControlTemplate& edit = Control(field.page, field.id);
    EXPECT_TRUE(IsClass(edit, kClassEdit));
    EXPECT_EQ((edit.style & ES_READONLY) == 0, field.editable);
    const ControlTemplate* frame = GroupTitled(field.page, field.group);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(Contains(Footprint(*frame), Footprint(edit)));
    // The label goes with its field into the frame.
    const auto& controls = Dialog(field.page).controls;
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [&](const ControlTemplate& c) { return c.id == field.id; });
    ASSERT_NE(it, controls.begin());
    EXPECT_TRUE(Contains(Footprint(*frame), Footprint(*(it - 1))));
  }

  // Association lines are "Gate %s<tab>Terminal %d", sorted as text.
  const ControlTemplate& associations = Control(IDD_PCB_PIN_PAGE, IDC_PIN_ASSOCIATIONS);
  EXPECT_TRUE(IsClass(associations, kClassListBox));
  EXPECT_EQ(associations.style & (LBS_SORT | LBS_USETABSTOPS), LBS_SORT | LBS_USETABSTOPS);
  const ControlTemplate* frame = GroupTitled(IDD_PCB_PIN_PAGE, "Associations");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(Contains(Footprint(*frame), Footprint(associations)));
}

}  // namespace
