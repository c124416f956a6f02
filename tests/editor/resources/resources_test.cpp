// The editor's string table and dialog templates: the rules every template keeps, the
// string ids the editor uses, and a golden dump of every template and string (the
// editor's and the host's), compared exactly with resources.golden.txt beside this file.
//
// After a deliberate change to the resources, write the dump anew and review its diff:
//
//   CE_UPDATE_GOLDEN=1 build/tests/editor_test --gtest_filter='ResourcesGolden.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "editor/resources/component_editor_resources.h"
#include "editor/resources/resource_ids.h"
#include "host/resources/host_resources.h"
#include "platform/constants.h"
#include "platform/resource_registry.h"
#include "tests/support/file_text.h"
#include "tests/support/resource_modules.h"

namespace {

const std::string kGoldenFile = CE_SOURCE_DIR "/tests/editor/resources/resources.golden.txt";
const std::string kResourceIds = CE_SOURCE_DIR "/editor/resources/resource_ids.h";

// Height of a drop-down combo box with its list closed: the part that always takes room
// in the dialog. The template's height includes the dropped list.
constexpr int kClosedComboHeight = 12;

const ResourceModule& Editor() {
  return ComponentEditorResources();
}

bool IsGroupBox(const ControlTemplate& c) {
  return c.className == kClassButton && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsDropDownCombo(const ControlTemplate& c) {
  return c.className == kClassComboBox && (c.style & CBS_TYPEMASK) != CBS_SIMPLE;
}

struct Box {
  int left, top, right, bottom;
};

// The room a control takes in its dialog.
Box Footprint(const ControlTemplate& c) {
  return {c.x, c.y, c.x + c.cx, c.y + (IsDropDownCombo(c) ? kClosedComboHeight : c.cy)};
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Box& outer, const Box& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool FramedBy(const ControlTemplate& frame, const ControlTemplate& c) {
  return IsGroupBox(frame) && Contains(Footprint(frame), Footprint(c));
}

// A check box that switches a section sits on the top edge of the section's untitled
// frame, as its caption.
bool CaptionOf(const ControlTemplate& frame, const ControlTemplate& c) {
  const bool checkBox = c.className == kClassButton && (c.style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
  return checkBox && IsGroupBox(frame) && frame.text.empty() && c.y <= frame.y && frame.y < c.y + c.cy &&
         c.x >= frame.x && c.x + c.cx <= frame.x + frame.cx;
}

std::string Describe(UINT dialog, const ControlTemplate& c) {
  return "template " + std::to_string(dialog) + ": control " + std::to_string(c.id) + " \"" + c.text +
         "\" (" + c.className + " at " + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
}

// The conversions of a format text, in order: the letter of each printf conversion, or
// the digit of each %1-style insert.
std::string Conversions(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] != '%') found += text[i + 1];
    ++i;
  }
  return found;
}

// ---------------------------------------------------------------------------
// The golden dump.

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char ch : text) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\t') {
      out += "\\t";
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
  return text;
}

std::string Rect(int x, int y, int cx, int cy) {
  return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(cx) + "x" + std::to_string(cy);
}

void DumpDialog(const DialogTemplate& dialog, std::ostringstream& out) {
  out << "dialog " << dialog.id << " " << Quoted(dialog.caption) << " rect "
      << Rect(dialog.x, dialog.y, dialog.cx, dialog.cy) << " style " << Hex(dialog.style) << " font "
      << Quoted(dialog.fontName) << " " << dialog.fontSize << "\n";
  for (const ControlTemplate& c : dialog.controls) {
    out << "  control " << c.id << " " << c.className << " " << Quoted(c.text) << " style " << Hex(c.style)
        << " rect " << Rect(c.x, c.y, c.cx, c.cy);
    if (c.exStyle != 0) out << " exstyle " << Hex(c.exStyle);
    out << "\n";
  }
}

// Every string and every template of the module, in id order.
void DumpModule(const ResourceModule& module, std::ostringstream& out) {
  out << "module " << Quoted(module.name) << "\n";
  for (const auto& [id, text] : module.strings) out << "string " << id << " " << Quoted(text) << "\n";
  for (const auto& [id, dialog] : module.dialogs) DumpDialog(dialog, out);
}

std::string GoldenDump() {
  std::ostringstream out;
  DumpModule(Editor(), out);
  DumpModule(HostResources(), out);
  return out.str();
}

// The ids of the IDS_ constants of the editor's resource header: a number, or the name
// of a constant defined before it.
std::map<std::string, UINT> StringIdsOfTheHeader() {
  std::map<std::string, UINT> ids;
  std::istringstream header(ReadFileText(kResourceIds));
  for (std::string line; std::getline(header, line);) {
    const size_t name = line.find("UINT IDS_");
    const size_t equals = line.find(" = ");
    const size_t end = line.find(';');
    if (name == std::string::npos || equals == std::string::npos || end == std::string::npos) continue;
    const std::string value = line.substr(equals + 3, end - equals - 3);
    const auto named = ids.find(value);
    ids[line.substr(name + 5, equals - name - 5)] =
        named != ids.end() ? named->second : static_cast<UINT>(std::stoul(value));
  }
  return ids;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(ResourcesGolden, EveryTemplateAndStringIsAsTheGoldenFileHoldsIt) {
  const std::string dump = GoldenDump();
  if (std::getenv("CE_UPDATE_GOLDEN") != nullptr) {
    WriteFileText(kGoldenFile, dump);
    ASSERT_EQ(ReadFileText(kGoldenFile), dump) << "cannot write " << kGoldenFile;
    return;
  }
  const std::vector<std::string> golden = Lines(ReadFileText(kGoldenFile));
  ASSERT_FALSE(golden.empty()) << "no golden file at " << kGoldenFile << "; CE_UPDATE_GOLDEN=1 writes it";
  const std::vector<std::string> now = Lines(dump);
  int reported = 0;
  for (size_t i = 0; i < std::max(golden.size(), now.size()) && reported < 10; ++i) {
    const std::string was = i < golden.size() ? golden[i] : "(nothing)";
    const std::string is = i < now.size() ? now[i] : "(nothing)";
    if (was == is) continue;
    ADD_FAILURE() << "line " << i + 1 << " of " << kGoldenFile << "\n  golden: " << was
                  << "\n  now:    " << is;
    ++reported;
  }
  if (reported > 0)
    ADD_FAILURE() << "after a deliberate change, CE_UPDATE_GOLDEN=1 writes the golden file anew";
}

// ---------------------------------------------------------------------------
// String table.

TEST(ComponentEditorStrings, TheTableHoldsExactlyTheIdsOfItsRangeEachWithText) {
  std::vector<UINT> ids;
  for (const auto& [id, text] : Editor().strings) {
    ids.push_back(id);
    EXPECT_FALSE(text.empty()) << "string " << id << " is empty";
  }
  // The host knows the editor's texts by these numbers.
  std::vector<UINT> range;
  for (UINT id = 19000; id <= 19037; ++id) range.push_back(id);
  for (UINT id = IDS_FIRST_PIN_MAP_STRING; id <= IDS_LAST_PIN_MAP_STRING; ++id) range.push_back(id);
  for (UINT id = IDS_FIRST_PAD_NAME_STRING; id <= IDS_LAST_PAD_NAME_STRING; ++id) range.push_back(id);
  EXPECT_EQ(ids, range);
}

TEST(ComponentEditorStrings, EveryStringIdOfTheResourceHeaderIsInTheTable) {
  const std::map<std::string, UINT> ids = StringIdsOfTheHeader();
  ASSERT_GE(ids.size(), 40u) << "the IDS_ constants of " << kResourceIds << " could not be read";
  for (const auto& [name, id] : ids) EXPECT_EQ(Editor().strings.count(id), 1u) << name << " = " << id;
}

// Callers format some texts printf-style and fill others with message inserts; a
// conversion that does not match what the caller passes reads garbage.
TEST(ComponentEditorStrings, FormatTextsTakeExactlyTheArgumentsTheirCallersPass) {
  const std::map<UINT, std::string> conversions = {
      {IDS_GATE_HEADER, "s"},
      {IDS_ERR_PACKAGE_EXISTS, "1"},
      {IDS_ASK_REMOVE_PIN_ASSIGNMENTS, "d"},
      {IDS_ASK_REMOVE_NAMED_PIN_ASSIGNMENTS, "s"},
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

// The host lists undo steps by these names; two steps with one name could not be told
// apart.
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
  }
}

// The editor formats it with the validity report as insert %1 and shows it with Yes and
// No; the question follows the report.
TEST(HostStrings, TheInvalidDesignQuestionTakesTheReportAndAsksYesOrNo) {
  const std::string& text = HostResources().strings.at(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN);
  EXPECT_EQ(Conversions(text), "1");
  EXPECT_TRUE(text.ends_with('?')) << text;
  EXPECT_LT(text.find("%1"), text.rfind('\n')) << text;
}

// ---------------------------------------------------------------------------
// The modules in the application's resources.

class RegisteredResources : public ::testing::Test {
 protected:
  void SetUp() override { AddProductResourceModules(); }
  void TearDown() override { RemoveProductResourceModules(); }
};

TEST_F(RegisteredResources, TheEditorsStringsAndTemplatesAreFoundWhileItIsLoaded) {
  EXPECT_EQ(Resources::FindString(IDS_UNDO_EDIT_PIN_MAP), &Editor().strings.at(IDS_UNDO_EDIT_PIN_MAP));
  EXPECT_EQ(Resources::FindDialog(IDD_ADD_GATE), &Editor().dialogs.at(IDD_ADD_GATE));

  Resources::RemoveModule(&ComponentEditorResources());
  EXPECT_EQ(Resources::FindString(IDS_UNDO_EDIT_PIN_MAP), nullptr);
  EXPECT_EQ(Resources::FindDialog(IDD_ADD_GATE), nullptr);
}

TEST_F(RegisteredResources, TheHostQuestionIsFoundBesideTheEditorsTexts) {
  EXPECT_EQ(Resources::FindString(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN),
            &HostResources().strings.at(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN));
  for (const auto& [id, text] : HostResources().strings) {
    EXPECT_EQ(Editor().strings.count(id), 0u) << "string " << id << " is defined by both modules";
  }
}

// ---------------------------------------------------------------------------
// Dialog templates.

TEST(ComponentEditorTemplates, TheTemplatesAreTheOnesTheIdsName) {
  const std::set<UINT> named = {IDD_SELECT_PACKAGE, IDD_COMPONENT_PAGE, IDD_ADD_PACKAGE,   IDD_ADD_GATE,
                                IDD_PACKAGE_PAGE,   IDD_GATE_PAGE,      IDD_NEW_COMPONENT, IDD_DELETE_PACKAGE,
                                IDD_SCM_PIN_PAGE,   IDD_PCB_PIN_PAGE,   IDD_DISPLAY};
  std::set<UINT> found;
  for (const auto& [id, dialog] : Editor().dialogs) {
    found.insert(id);
    EXPECT_EQ(dialog.id, id);
    EXPECT_GE(id, 19000u);
    EXPECT_LE(id, 19012u);
    EXPECT_FALSE(dialog.controls.empty()) << "template " << id;
  }
  EXPECT_EQ(found, named);
}

TEST(ComponentEditorTemplates, EveryControlLiesInsideItsDialog) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    const Box client{0, 0, dialog.cx, dialog.cy};
    for (const ControlTemplate& c : dialog.controls) {
      EXPECT_GT(c.cx, 0) << Describe(id, c);
      EXPECT_GT(c.cy, 0) << Describe(id, c);
      EXPECT_TRUE(Contains(client, Footprint(c))) << Describe(id, c);
    }
  }
}

// Two controls share room only when a group box frames the other, or a check box is the
// frame's caption. In the new component dialog the always-open symbol lists reach one
// unit into the pin-count row below them; those are the only other overlaps.
TEST(ComponentEditorTemplates, ControlsOverlapOnlyTheFramesAroundThem) {
  const std::set<std::tuple<UINT, int, int>> allowed = {
      {IDD_NEW_COMPONENT, IDC_PCB_SYMBOL_COMBO, IDC_PCB_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_SCM_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_GATE_COUNT},
  };
  for (const auto& [id, dialog] : Editor().dialogs) {
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
        const ControlTemplate& a = dialog.controls[i];
        const ControlTemplate& b = dialog.controls[j];
        if (!Overlap(Footprint(a), Footprint(b)) || FramedBy(a, b) || FramedBy(b, a)) continue;
        if (CaptionOf(a, b) || CaptionOf(b, a)) continue;
        if (allowed.count({id, a.id, b.id}) != 0 || allowed.count({id, b.id, a.id}) != 0) continue;
        ADD_FAILURE() << Describe(id, a) << " overlaps " << Describe(id, b);
      }
    }
  }
}

// Only labels and frames go without an id; every other control has its own, in the
// editor's range or one of the standard buttons.
TEST(ComponentEditorTemplates, ControlIdsAreUniqueWithinEachTemplate) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    std::set<int> seen;
    for (const ControlTemplate& c : dialog.controls) {
      if (c.id == IDC_STATIC) {
        EXPECT_TRUE(c.className == kClassStatic || IsGroupBox(c)) << Describe(id, c);
        continue;
      }
      EXPECT_TRUE(seen.insert(c.id).second) << "repeated: " << Describe(id, c);
      const bool standard = c.id == IDOK || c.id == IDCANCEL;
      const bool editors =
          c.id >= IDC_FIRST_COMPONENT_EDITOR_CONTROL && c.id <= IDC_LAST_COMPONENT_EDITOR_CONTROL;
      EXPECT_TRUE(standard || editors) << Describe(id, c);
    }
  }
}

// The user tabs to what can be typed into or clicked, never to labels or frames.
TEST(ComponentEditorTemplates, TabStopsAreTheControlsTheUserTypesIntoOrClicks) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    for (const ControlTemplate& c : dialog.controls) {
      EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE | WS_POPUP), WS_CHILD | WS_VISIBLE) << Describe(id, c);
      const bool passive = c.className == kClassStatic || IsGroupBox(c) || (c.style & WS_DISABLED) != 0;
      EXPECT_EQ((c.style & WS_TABSTOP) != 0, !passive) << Describe(id, c);
    }
  }
}

// A modal dialog has one default button, its OK; a property page has none, the sheet
// around it owns OK, Cancel and Apply.
TEST(ComponentEditorTemplates, ModalDialogsHaveOneDefaultButtonAndPagesNone) {
  for (const auto& [id, dialog] : Editor().dialogs) {
    const bool modal = (dialog.style & WS_POPUP) != 0;
    EXPECT_NE(modal, (dialog.style & WS_CHILD) != 0) << "template " << id;
    std::vector<int> defaults;
    for (const ControlTemplate& c : dialog.controls) {
      if (c.className == kClassButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        defaults.push_back(c.id);
    }
    EXPECT_EQ(defaults, modal ? std::vector<int>{IDOK} : std::vector<int>{}) << "template " << id;
    EXPECT_EQ(dialog.FindControl(IDCANCEL) != nullptr, modal) << "template " << id;
  }
}

}  // namespace
