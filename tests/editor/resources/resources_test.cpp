// The editor's string table and dialog templates: the rules every template and string
// keeps, and a golden dump of every template and string (the editor's and the host's),
// compared exactly with resources.golden.txt beside this file.
//
// After a deliberate change to the resources, write the dump anew and review its diff:
//
//   CE_UPDATE_GOLDEN=1 build/tests/editor_test --gtest_filter='ResourcesGolden.*'
#include <gtest/gtest.h>

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

namespace {

const std::string kGoldenFile = CE_SOURCE_DIR "/tests/editor/resources/resources.golden.txt";
const std::string kResourceIds = CE_SOURCE_DIR "/editor/resources/resource_ids.h";

const ResourceModule& Editor() {
  return ComponentEditorResources();
}

bool Is(const ControlTemplate& c, const char* className, DWORD type, DWORD mask) {
  return c.className == className && (c.style & mask) == type;
}
bool IsGroupBox(const ControlTemplate& c) {
  return Is(c, kClassButton, BS_GROUPBOX, BS_TYPEMASK);
}

struct Box {
  int left, top, right, bottom;
  bool Overlaps(const Box& b) const {
    return left < b.right && b.left < right && top < b.bottom && b.top < bottom;
  }
  bool Contains(const Box& b) const {
    return b.left >= left && b.top >= top && b.right <= right && b.bottom <= bottom;
  }
};

// The room a control takes in its dialog: a drop-down combo box's template height
// includes its list, but only the closed box (12 units) always takes room.
Box Footprint(const ControlTemplate& c) {
  const bool dropDown = c.className == kClassComboBox && (c.style & CBS_TYPEMASK) != CBS_SIMPLE;
  return {c.x, c.y, c.x + c.cx, c.y + (dropDown ? 12 : c.cy)};
}

// A group box framing the control, or the untitled frame whose caption is the check box
// that switches its section.
bool Frames(const ControlTemplate& frame, const ControlTemplate& c) {
  if (!IsGroupBox(frame)) return false;
  if (Footprint(frame).Contains(Footprint(c))) return true;
  return Is(c, kClassButton, BS_AUTOCHECKBOX, BS_TYPEMASK) && frame.text.empty() && c.y <= frame.y &&
         frame.y < c.y + c.cy && c.x >= frame.x && c.x + c.cx <= frame.x + frame.cx;
}

std::string Describe(UINT dialog, const ControlTemplate& c) {
  return "template " + std::to_string(dialog) + ": control " + std::to_string(c.id) + " \"" + c.text + "\"";
}

// The conversions of a format text, in order: the letter of each printf conversion, or
// the digit of each %1-style insert.
std::string Conversions(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && text[++i] != '%') found += text[i];
  }
  return found;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch == '\n' ? std::string("\\n") : ch == '\t' ? std::string("\\t") : std::string(1, ch);
  }
  return out + "\"";
}

// Every string and every template of the module, in id order.
void DumpModule(const ResourceModule& module, std::ostringstream& out) {
  out << "module " << Quoted(module.name) << "\n";
  for (const auto& [id, text] : module.strings) out << "string " << id << " " << Quoted(text) << "\n";
  char line[1024];
  for (const auto& [id, d] : module.dialogs) {
    std::snprintf(line, sizeof line, "dialog %u %s rect %d,%d %dx%d style 0x%08x font %s %d\n", d.id,
                  Quoted(d.caption).c_str(), d.x, d.y, d.cx, d.cy, static_cast<unsigned>(d.style),
                  Quoted(d.fontName).c_str(), d.fontSize);
    out << line;
    for (const ControlTemplate& c : d.controls) {
      std::snprintf(line, sizeof line, "  control %d %s %s style 0x%08x rect %d,%d %dx%d exstyle 0x%08x\n",
                    c.id, c.className.c_str(), Quoted(c.text).c_str(), static_cast<unsigned>(c.style), c.x,
                    c.y, c.cx, c.cy, static_cast<unsigned>(c.exStyle));
      out << line;
    }
  }
}

TEST(ResourcesGolden, EveryTemplateAndStringIsAsTheGoldenFileHoldsIt) {
  std::ostringstream out;
  DumpModule(Editor(), out);
  DumpModule(HostResources(), out);
  // Written anew when asked, and read back either way: gtest prints the differing lines.
  if (std::getenv("CE_UPDATE_GOLDEN") != nullptr) WriteFileText(kGoldenFile, out.str());
  EXPECT_EQ(ReadFileText(kGoldenFile), out.str())
      << "after a deliberate change, CE_UPDATE_GOLDEN=1 writes " << kGoldenFile << " anew";
}

// Every IDS_ constant of the editor's resource header (a number, or the name of one
// defined before it) has its text, apart from the host's ids; the host lists undo steps
// by the IDS_UNDO_ texts, so no two steps share one. Callers format some texts
// printf-style and fill others with message inserts; a conversion that does not match
// what the caller passes reads garbage.
TEST(ComponentEditorStrings, EveryIdHasItsTextUndoNamesDifferAndFormatsTakeWhatTheirCallersPass) {
  std::map<std::string, UINT> ids;
  std::set<std::string> undoNames;
  std::istringstream lines(ReadFileText(kResourceIds));
  for (std::string line; std::getline(lines, line);) {
    // "... UINT IDS_NAME = VALUE;", VALUE a number or an earlier IDS_ constant.
    const size_t at = line.find("UINT IDS_");
    const size_t equals = line.find(" = ", at);
    const size_t end = line.find(';', equals);
    if (at == std::string::npos || equals == std::string::npos || end == std::string::npos) continue;
    const std::string name = line.substr(at + 9, equals - at - 9);
    const std::string value = line.substr(equals + 3, end - equals - 3);
    const auto named = ids.find(value.starts_with("IDS_") ? value.substr(4) : "");
    const UINT id = named != ids.end() ? named->second : std::stoul(value);
    ids[name] = id;
    EXPECT_EQ(Editor().strings.count(id), 1u) << name << " = " << id;
    if (!name.starts_with("UNDO_") || Editor().strings.count(id) == 0) continue;
    EXPECT_TRUE(undoNames.insert(Editor().strings.at(id)).second) << "two undo levels named as " << name;
  }
  ASSERT_GE(ids.size(), 40u) << "the IDS_ constants of " << kResourceIds << " could not be read";
  for (const auto& [id, text] : Editor().strings) EXPECT_FALSE(text.empty()) << "string " << id;
  for (const auto& [id, text] : HostResources().strings) EXPECT_EQ(Editor().strings.count(id), 0u) << id;

  // The conversions each caller passes, and the texts it fills with them.
  const std::pair<std::string, std::vector<UINT>> callers[] = {
      {"s", {IDS_GATE_HEADER, IDS_ASK_DELETE_GATE, IDS_ASK_REMOVE_NAMED_PIN_ASSIGNMENTS, IDS_ADD_GATE_TITLE}},
      {"d", {IDS_ASK_REMOVE_PIN_ASSIGNMENTS}},
      {"sd", {IDS_PIN_ASSOCIATION, IDS_ASK_REMOVE_TERMINAL_ASSIGNMENT}},
      {"1", {IDS_ERR_PACKAGE_EXISTS, IDS_ERR_SYMBOL_NOT_FOUND, IDS_ERR_CANNOT_OPEN_LIBRARY}},
      {"1", {IDS_HOST_CONTINUE_WITH_INVALID_DESIGN}}};
  std::map<UINT, std::string> conversions;
  for (const auto& [letters, texts] : callers)
    for (const UINT id : texts) conversions[id] = letters;
  for (const ResourceModule* module : {&Editor(), &HostResources()})
    for (const auto& [id, text] : module->strings)
      EXPECT_EQ(Conversions(text), conversions[id]) << id << ": " << text;
}

// Every control lies inside its dialog and overlaps only the frames around it; only
// labels and frames go without an id, the others have their own in the editor's range
// or a standard button's; the user tabs to what can be typed into or clicked; a modal
// dialog has one default button, its OK, and a property page none (the sheet owns OK).
TEST(ComponentEditorTemplates, EveryTemplateKeepsTheLayoutRules) {
  // The new component dialog's always-open symbol lists reach one unit into the row below.
  const std::set<std::tuple<UINT, int, int>> allowed = {
      {IDD_NEW_COMPONENT, IDC_PCB_SYMBOL_COMBO, IDC_PCB_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_SCM_PIN_COUNT},
      {IDD_NEW_COMPONENT, IDC_SCM_SYMBOL_COMBO, IDC_GATE_COUNT}};
  for (const auto& [id, dialog] : Editor().dialogs) {
    const bool modal = (dialog.style & WS_POPUP) != 0;
    EXPECT_NE(modal, (dialog.style & WS_CHILD) != 0) << "template " << id;
    EXPECT_EQ(dialog.FindControl(IDCANCEL) != nullptr, modal) << "template " << id;
    std::vector<int> defaults;
    std::set<int> seen;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      const ControlTemplate& c = dialog.controls[i];
      EXPECT_TRUE((c.cx > 0 && c.cy > 0 && Box{0, 0, dialog.cx, dialog.cy}.Contains(Footprint(c))))
          << Describe(id, c);
      for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
        const ControlTemplate& b = dialog.controls[j];
        if (!Footprint(c).Overlaps(Footprint(b)) || Frames(c, b) || Frames(b, c)) continue;
        EXPECT_TRUE((allowed.count({id, c.id, b.id}) + allowed.count({id, b.id, c.id}) != 0))
            << Describe(id, c) << " overlaps " << Describe(id, b);
      }
      const bool passive = c.className == kClassStatic || IsGroupBox(c) || (c.style & WS_DISABLED) != 0;
      EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE | WS_POPUP), WS_CHILD | WS_VISIBLE) << Describe(id, c);
      EXPECT_EQ((c.style & WS_TABSTOP) != 0, !passive) << Describe(id, c);
      if (Is(c, kClassButton, BS_DEFPUSHBUTTON, BS_TYPEMASK)) defaults.push_back(c.id);
      if (c.id == IDC_STATIC) {
        EXPECT_TRUE(c.className == kClassStatic || IsGroupBox(c)) << Describe(id, c);
        continue;
      }
      EXPECT_TRUE(seen.insert(c.id).second) << "repeated: " << Describe(id, c);
      EXPECT_TRUE(c.id == IDOK || c.id == IDCANCEL ||
                  (c.id >= IDC_FIRST_COMPONENT_EDITOR_CONTROL && c.id <= IDC_LAST_COMPONENT_EDITOR_CONTROL))
          << Describe(id, c);
    }
    EXPECT_EQ(defaults, modal ? std::vector<int>{IDOK} : std::vector<int>{}) << "template " << id;
  }
}

}  // namespace
