// The real program on a (virtual) screen, driven from outside with the X server's own
// keyboard and mouse: started on a copy of the sample library, the user picks
// QUAD-NAND2 by typing its name, then either assigns pin 14 to terminal A of gate a by
// clicking the PCB pad and the schematic terminal, or opens the property sheet by double
// clicks on that pad and that terminal and renames the terminal; then saves and quits.
// The saved library must hold the change and nothing else changed; the screenshots stay
// in the build's artifacts folder.
//
// The test finds what to click the way a user's eye does. Its settings give the
// drawings a background colour and a highlight colour that nothing else on the screen
// has, so the two drawings are the two largest areas of the background colour. The
// grid's cursor makes the editor highlight the terminal of its cell and the pad of the
// cell's pin, so the test walks the cursor to a cell one key at a time, waiting each
// time until the highlight has moved and settled, and clicks the highlighted pixels.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/scm_component.h"
#include "tests/app/component_text.h"
#include "tests/app/smoke/child_process.h"
#include "tests/app/smoke/screen_image.h"
#include "tests/app/smoke/screen_user.h"
#include "tests/support/file_text.h"
#include "tests/support/library_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// The drawings' colours in the test's settings: the background and the highlight are
// found on the screen, so nothing else there may have them.
constexpr Rgb kBackground{16, 32, 48};
constexpr Rgb kHighlight{255, 0, 255};
constexpr Rgb kAssignedPins{0, 255, 0};
constexpr Rgb kUnassignedPins{0, 0, 255};

constexpr Rgb kOutlines{255, 255, 0};

constexpr int kWindowSeconds = 30;
constexpr int kDrawingSeconds = 15;

struct Drawings {
  PixelBox schematic;
  PixelBox pcb;
};

bool LoadQuadNand2(const std::string& path, CDesign& design, const char* name = "QUAD-NAND2") {
  CString error;
  return CComponentLibraryFile::LoadComponent(path.c_str(), name, design, error);
}

int PinOf(const std::string& path, int record, int gate, int terminal) {
  CDesign design;
  if (!LoadQuadNand2(path, design)) return -100;
  POSITION position = nullptr;
  CComponent* component = design.FirstComponent(position);
  for (int i = 0; i < record && component != nullptr; ++i) component = design.NextComponent(position);
  return component != nullptr ? component->GetPinNumber(gate, terminal) : -100;
}

bool ShowsReferenceInSchematic(const std::string& path) {
  CDesign design;
  return LoadQuadNand2(path, design) &&
         design.FirstComponent()->GetScmComponent()->GetShowName(CScmComponent::kScmReference);
}

std::string PinNameOf(const std::string& path, int gate, int terminal) {
  CDesign design;
  if (!LoadQuadNand2(path, design)) return "unreadable";
  const CComponent* component = design.FirstComponent();
  return component != nullptr ? component->GetPinName(gate, terminal).str() : "no component";
}

// The packages of QUAD-NAND2's records in the library, in order, and the gates of each.
std::vector<std::pair<std::string, int>> PackagesOf(const std::string& path) {
  CDesign design;
  std::vector<std::pair<std::string, int>> packages;
  if (!LoadQuadNand2(path, design)) return packages;
  POSITION position = nullptr;
  for (CComponent* component = design.FirstComponent(position); component != nullptr;
       component = design.NextComponent(position))
    packages.emplace_back(component->GetPackage().str(), component->CountGates());
  return packages;
}

unsigned long ColourSetting(Rgb colour) {
  return colour.red | (colour.green << 8U) | (static_cast<unsigned long>(colour.blue) << 16U);
}

// Every drawing colour is given, as the palette hands out the defaults of the missing
// ones in turn.
std::string SettingsText() {
  const std::vector<std::pair<const char*, Rgb>> colours = {
      {"Background", kBackground}, {"AssignedPins", kAssignedPins}, {"UnassignedPins", kUnassignedPins},
      {"Text", {0, 255, 255}},     {"Outlines", kOutlines},         {"Selection", {128, 128, 255}},
      {"Highlight", kHighlight},   {"PinNames", {0, 128, 0}},       {"PinNumbers", {0, 0, 192}},
  };
  std::string text = "{\"version\": 1, \"keys\": {\"ComponentEditor\\\\Colours\": {";
  for (size_t i = 0; i < colours.size(); ++i) {
    text += (i > 0 ? ", \"" : "\"") + std::string(colours[i].first) +
            "\": " + std::to_string(ColourSetting(colours[i].second));
  }
  return text + "}}}\n";
}

// The schematic drawing is on the left, the PCB drawing on the right.
std::optional<Drawings> FindDrawings(const ScreenImage& shot) {
  const std::vector<ColourRegion> areas = shot.FindRegions(kBackground);
  if (areas.size() < 2) return std::nullopt;
  PixelBox left = areas[0].box;
  PixelBox right = areas[1].box;
  if (right.left < left.left) std::swap(left, right);
  if (left.right >= right.left || left.Width() < 100 || right.Width() < 100) return std::nullopt;
  return Drawings{left, right};
}

// What the drawings highlight: the point to click on each, if anything.
struct Highlights {
  std::optional<PixelPoint> schematic;
  std::optional<PixelPoint> pcb;
  bool operator==(const Highlights&) const = default;
};

std::optional<PixelPoint> HighlightIn(const ScreenImage& shot, const PixelBox& drawing) {
  const ColourRegion highlight = shot.FindColour(kHighlight, drawing);
  if (highlight.pixels == 0) return std::nullopt;
  return highlight.inside;
}

class EditorOnScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_folder / "config" / "component-editor");
    fs::copy_file(CE_DATA_DIR "/sample.cmplib", m_library);
    WriteFileText(m_settings, SettingsText());
    fs::create_directories(CE_ARTIFACTS_DIR);
  }

  // The settings and recovery copies go to the test's folder, not the user's.
  void StartEditor(bool openLibrary = true) {
    std::string error;
    std::vector<std::string> argv = {CE_EDITOR_PROGRAM};
    if (openLibrary) argv.insert(argv.end(), {"--open", m_library.string()});
    ASSERT_TRUE(m_editor.Start(argv,
                               {"XDG_CONFIG_HOME=" + (m_folder / "config").string(),
                                "XDG_STATE_HOME=" + (m_folder / "state").string()},
                               error))
        << error;
  }

  std::string WaitForWindow(const std::string& titlePattern) {
    return m_user.WaitForWindow(m_editor.Id(), titlePattern, kWindowSeconds).value_or("");
  }

  // The window titled as `titlePattern` says, once it came up and took the focus.
  void FocusWindow(const std::string& titlePattern, std::string& window) {
    window = WaitForWindow(titlePattern);
    ASSERT_FALSE(window.empty()) << "no window titled " << titlePattern << " came up";
    ASSERT_TRUE(m_user.Focus(window));
  }

  // Keys pressed one at a time, each given a moment to take effect.
  bool Keys(const std::vector<std::string>& pressed) {
    for (const std::string& key : pressed) {
      if (!m_user.PressKeys({key})) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    return true;
  }
  bool TypeSlowly(const char* text) {
    const bool typed = m_user.Type(text);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    return typed;
  }

  // A click just above the drawings, at their left, lands in the pin grid's first
  // column, where no cell highlights anything.
  bool ClickInGrid(const std::string& main, const Drawings& drawings) {
    return m_user.ClickAt(main, {drawings.schematic.left + 10, drawings.schematic.top - 12});
  }

  // The drawings, once the PCB drawing shows pins in `pins`.
  std::optional<Drawings> WaitForDrawings(const std::string& main, Rgb pins) {
    std::optional<Drawings> found;
    if (!LookUntil(main, [&](const ScreenImage& shot) {
          found = FindDrawings(shot);
          return found && shot.FindColour(pins, found->pcb).pixels > 0;
        }))
      return std::nullopt;
    return found;
  }

  // Looks at the window until `seen` finds what it waits for; false when it never does
  // (a look that failed is reported).
  bool LookUntil(const std::string& window, const std::function<bool(const ScreenImage&)>& seen) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kDrawingSeconds);
    ScreenImage shot;
    std::string error;
    do {
      error.clear();
      if (m_user.Look(window, shot, error) && seen(shot)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
    } while (std::chrono::steady_clock::now() < deadline);
    if (!error.empty()) ADD_FAILURE() << error;
    return false;
  }

  // Walks the grid's cursor with `keys`, one at a time; after each, waits until the
  // highlight has moved and shows the same in two looks running, so that no drawing is
  // caught half redrawn. The highlights at the end.
  std::optional<Highlights> WalkInGrid(const std::string& window, const Drawings& drawings,
                                       const std::vector<const char*>& keys, Highlights from) {
    for (const char* key : keys) {
      std::optional<Highlights> last;
      const bool moved =
          m_user.PressKeys({key}) && LookUntil(window, [&](const ScreenImage& shot) {
            const Highlights now{HighlightIn(shot, drawings.schematic), HighlightIn(shot, drawings.pcb)};
            const bool settled = now != from && last == now;
            last = now;
            return settled;
          });
      if (!moved) {
        ADD_FAILURE() << "the highlight did not move on " << key;
        return std::nullopt;
      }
      from = *last;
    }
    return from;
  }

  void Screenshot(const std::string& window, const char* name) {
    // Each test removes only its own pictures (the tests run as separate processes), so
    // a failed capture leaves no stale picture and the other tests' pictures stay.
    const fs::path path = fs::path(CE_ARTIFACTS_DIR) / name;
    fs::remove(path);
    std::string error;
    EXPECT_TRUE(m_user.SaveScreenshot(window, path.string(), error)) << error;
  }

  // Starts the editor and opens QUAD-NAND2 from its picker: the main window, once its
  // drawings show the pins.
  void OpenQuadNand2(std::string& main, Drawings& drawings) {
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    // The picker comes up with the caret in its filter; Return opens the one match.
    const std::string picker = WaitForWindow("^Open Component from sample\\.cmplib$");
    ASSERT_FALSE(picker.empty()) << "the component picker did not come up";
    // A moment for the toolkit to take the focus in, and later to show what was typed.
    ASSERT_TRUE(m_user.Focus(picker));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(m_user.Type("QUAD-NAND2"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Screenshot(picker, "editor-picker.png");
    ASSERT_TRUE(m_user.PressKeys({"Return"}));

    ASSERT_NO_FATAL_FAILURE(FocusWindow("^Component Editor - QUAD-NAND2 - sample\\.cmplib$", main));
    const std::optional<Drawings> found = WaitForDrawings(main, kAssignedPins);
    ASSERT_TRUE(found) << "the drawings were not shown";
    drawings = *found;
  }

  // Where the pad of pin 14 and terminal A of gate a (on pin 1) are drawn, found by the
  // highlights of the grid's cursor.
  //
  // Below the grid's header row, the first
  // row holds terminal A of the NAND2 gates, the fourth the VCC terminal of gate e, the
  // last GND; the gates' columns follow the symbol, terminal name and terminal number.
  // Each step of the walk below changes what the drawings highlight: Ctrl+End goes to
  // gate e's GND (pin 7), Up to its VCC (pin 14), on up through rows where gate e has
  // no pin, then left along the first row to gate a's terminal A (pin 1).
  void FindPin14AndTerminalA(const std::string& main, const Drawings& drawings, Highlights& vcc,
                             Highlights& gateA) {
    ASSERT_TRUE(ClickInGrid(main, drawings));
    const std::optional<Highlights> atVcc = WalkInGrid(main, drawings, {"ctrl+End", "Up"}, {});
    ASSERT_TRUE(atVcc && atVcc->pcb) << "the pad of pin 14 was not highlighted";
    const std::optional<Highlights> atA =
        WalkInGrid(main, drawings, {"Up", "Up", "Up", "Left", "Left", "Left", "Left"}, *atVcc);
    ASSERT_TRUE(atA && atA->schematic && atA->pcb) << "terminal A of gate a was not highlighted";
    vcc = *atVcc;
    gateA = *atA;
  }

  // Waits for the dialog titled as `titlePattern` says, gives the toolkit a moment to
  // draw it and to take the focus in, and photographs it.
  std::string WaitForDialog(const std::string& titlePattern, const char* screenshot) {
    const std::string dialog = WaitForWindow(titlePattern);
    if (dialog.empty()) {
      ADD_FAILURE() << "no window titled " << titlePattern << " came up";
      return dialog;
    }
    EXPECT_TRUE(m_user.Focus(dialog));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Screenshot(dialog, screenshot);
    return dialog;
  }
  void OpenDialog(const std::vector<std::string>& keys, const std::string& titlePattern,
                  const char* screenshot, std::string& dialog) {
    ASSERT_TRUE(m_user.PressKeys(keys));
    dialog = WaitForDialog(titlePattern, screenshot);
    ASSERT_FALSE(dialog.empty());
  }

  // Return in a field presses the dialog's default button, as does the button's own
  // mnemonic wherever the focus is; the dialog must close.
  void ConfirmDialog(const std::string& dialog, const std::string& main, const char* key = "Return") {
    ASSERT_TRUE(m_user.PressKeys({key}));
    ASSERT_TRUE(m_user.WaitForWindowGone(dialog, kWindowSeconds)) << key << " did not close the dialog";
    ASSERT_TRUE(m_user.Focus(main));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }

  // Pixels of `colour` in the PCB drawing, after the drawing settled.
  bool PcbShows(const std::string& main, const Drawings& drawings, Rgb colour, bool present) {
    return LookUntil(main, [&](const ScreenImage& shot) {
      return (shot.FindColour(colour, drawings.pcb).pixels > 0) == present;
    });
  }

  // Saves (Ctrl+S) and quits (Ctrl+Q): with nothing left unsaved it quits without asking.
  void SaveAndQuit() {
    ASSERT_TRUE(m_user.PressKeys({"ctrl+s", "ctrl+q"}));
    int exitCode = -1;
    ASSERT_TRUE(m_editor.WaitForExit(kWindowSeconds, exitCode)) << "the editor did not quit";
    EXPECT_EQ(exitCode, 0);
  }

  // The pictures were taken, and hold more than `minBytes`.
  static void ExpectShots(const std::vector<const char*>& shots, std::uintmax_t minBytes = 0) {
    for (const char* shot : shots) {
      const fs::path path = fs::path(CE_ARTIFACTS_DIR) / shot;
      EXPECT_TRUE(fs::exists(path) && fs::file_size(path) > minBytes) << path;
    }
  }

  std::string Settings() const { return ReadFileText(m_settings); }

  void ExpectOtherComponentsUnchanged() {
    for (const char* other : {"HEX-INV", "DUAL-OPAMP", "RESISTOR"}) {
      const std::string kept = ComponentBytes(ReadFileText(m_library.string()), other);
      EXPECT_TRUE(!kept.empty() && kept == ComponentBytes(ReadFileText(CE_DATA_DIR "/sample.cmplib"), other))
          << other;
    }
  }

  // Of this test alone: other checkouts on the machine may run the same test.
  const ScratchFolder m_scratch;
  const fs::path m_folder = m_scratch.Path();
  const fs::path m_library = m_folder / "sample.cmplib";
  const fs::path m_settings = m_folder / "config" / "component-editor" / "settings.json";
  ScreenUser m_user{m_folder.string()};
  ChildProcess m_editor;
};

TEST_F(EditorOnScreenTest, AssignsAPinByClickingAndSavesIt) {
  ASSERT_NE(PinOf(m_library.string(), 0, 0, 1), 14);
  ASSERT_EQ(PinOf(m_library.string(), 0, 4, 1), 14)
      << "the VCC terminal of gate e goes to pin 14 of the DIP-14";
  const int otherPackage = PinOf(m_library.string(), 1, 0, 1);
  std::string main;
  Drawings drawings;
  ASSERT_NO_FATAL_FAILURE(OpenQuadNand2(main, drawings));
  Screenshot(main, "editor-sample.png");
  Highlights vcc;
  Highlights gateA;
  ASSERT_NO_FATAL_FAILURE(FindPin14AndTerminalA(main, drawings, vcc, gateA));
  const PixelPoint pin1 = *gateA.pcb;

  // Assign Pins (Ctrl+A), then the pad and the terminal. Pin 1 loses its terminal.
  ASSERT_TRUE(m_user.PressKeys({"ctrl+a"}) && m_user.ClickAt(main, *vcc.pcb) &&
              m_user.ClickAt(main, *gateA.schematic));
  EXPECT_TRUE(LookUntil(main, [&](const ScreenImage& shot) {
    const ColourRegion freed = shot.FindColour(kUnassignedPins, drawings.pcb);
    return freed.pixels > 0 && freed.box.Contains(pin1);
  })) << "the pad of pin 1 was not shown unassigned";
  Screenshot(main, "editor-pin-assigned.png");

  // Back to Select Mode, then save and quit.
  ASSERT_TRUE(m_user.PressKeys({"Escape"}));
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());

  EXPECT_EQ(PinOf(m_library.string(), 0, 0, 1), 14) << "the DIP-14 record holds the clicked pin";
  EXPECT_EQ(PinOf(m_library.string(), 0, 4, 1), 14) << "VCC keeps its pin";
  EXPECT_EQ(PinOf(m_library.string(), 1, 0, 1), otherPackage);
  ExpectOtherComponentsUnchanged();
  ExpectShots({"editor-sample.png", "editor-pin-assigned.png"}, 10000U);
  // The README shows the editor as this test saw it; CE_UPDATE_GOLDEN=1 refreshes the picture.
  const fs::path readmeShot = CE_README_SCREENSHOT;
  if (std::getenv("CE_UPDATE_GOLDEN") != nullptr) {
    fs::copy_file(fs::path(CE_ARTIFACTS_DIR) / "editor-sample.png", readmeShot,
                  fs::copy_options::overwrite_existing);
  }
  EXPECT_TRUE(fs::exists(readmeShot)) << readmeShot << " is missing; CE_UPDATE_GOLDEN=1 takes it";
  const std::string settings = Settings();
  EXPECT_NE(settings.find(m_library.string()), std::string::npos) << "the recent library was kept:\n"
                                                                  << settings;
  EXPECT_NE(settings.find("Highlight"), std::string::npos) << "the colours were kept:\n" << settings;
}

// Points in the property sheet's window: the first tab, the component page's first
// check box, and OK, which keeps its place from the right as more tabs widen the sheet.
constexpr PixelPoint kComponentTab{60, 30};
constexpr PixelPoint kSchematicReferenceBox{47, 246};
constexpr int kSheetOkFromRight = 211;
constexpr int kSheetOkY = 397;

// The sheet is a window of its own, titled "Properties"; it opens at the page of the
// item double-clicked, with the focus in its first field.
TEST_F(EditorOnScreenTest, RenamesATerminalOnItsPinPageAndSavesIt) {
  ASSERT_EQ(PinNameOf(m_library.string(), 0, 1), "A");
  std::string main;
  Drawings drawings;
  ASSERT_NO_FATAL_FAILURE(OpenQuadNand2(main, drawings));
  Highlights vcc;
  Highlights gateA;
  ASSERT_NO_FATAL_FAILURE(FindPin14AndTerminalA(main, drawings, vcc, gateA));

  // The pad of pin 14: its PCB pin page, left with Escape.
  ASSERT_TRUE(m_user.DoubleClickAt(main, *vcc.pcb));
  std::string sheet = WaitForDialog("^Properties$", "properties-pcb-pin.png");
  ASSERT_FALSE(sheet.empty()) << "a double click on the pad opened no property sheet";
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(sheet, main, "Escape"));

  // Terminal A of gate a: its schematic pin page shows the gate and the terminal, then
  // the name, the one field that takes typing.
  ASSERT_TRUE(m_user.DoubleClickAt(main, *gateA.schematic));
  ASSERT_NO_FATAL_FAILURE(FocusWindow("^Properties$", sheet));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(m_user.PressKeys({"Tab", "Tab", "ctrl+a"}) && m_user.Type("IN1"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Screenshot(sheet, "properties-scm-pin.png");
  // Back on the first tab, a click on its first check box (the schematic's reference)
  // must reach the box, then a click on OK ends the sheet.
  const bool showedReference = ShowsReferenceInSchematic(m_library.string());
  for (const PixelPoint point : {kComponentTab, kSchematicReferenceBox}) {
    ASSERT_TRUE(m_user.ClickAt(sheet, point));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  Screenshot(sheet, "properties-after-switch.png");
  ScreenImage shot;
  std::string error;
  ASSERT_TRUE(m_user.Look(sheet, shot, error)) << error;
  ASSERT_TRUE(m_user.ClickAt(sheet, {shot.Width() - kSheetOkFromRight, kSheetOkY}));
  ASSERT_TRUE(m_user.WaitForWindowGone(sheet, kWindowSeconds) && m_user.Focus(main))
      << "OK did not end the sheet";
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());
  EXPECT_EQ(PinNameOf(m_library.string(), 0, 1), "IN1");
  EXPECT_NE(ShowsReferenceInSchematic(m_library.string()), showedReference)
      << "the click after a tab switch was lost";
  EXPECT_EQ(PinOf(m_library.string(), 0, 0, 1), 1) << "the pin map stays";
  ExpectOtherComponentsUnchanged();
}

// The package list is the first control after the file and edit icons of the tool
// bar, which lies below the menu bar: two icons, a separator, three icons and a
// separator before it.
constexpr PixelPoint kPackageList{4 + 2 * 30 + 9 + 3 * 30 + 9 + 60, 41};

TEST_F(EditorOnScreenTest, AddsAGateAndAPackageSwitchesAndDeletesPackagesChangesAColourAndSaves) {
  ASSERT_EQ(PackagesOf(m_library.string()),
            (std::vector<std::pair<std::string, int>>{{"DIP-14", 5}, {"SOIC-14", 5}}));
  std::string main;
  Drawings drawings;
  ASSERT_NO_FATAL_FAILURE(OpenQuadNand2(main, drawings));

  // Insert: the Add Gate dialog proposes gate f on the NAND2 of the gates before.
  std::string dialog;
  ASSERT_NO_FATAL_FAILURE(OpenDialog({"Insert"}, "^Add Gate", "dialog-add-gate.png", dialog));
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(dialog, main, "alt+a"));

  // Ctrl+Shift+N: a package TSSOP-14 on the SOIC-14 footprint; its pads have no pins.
  ASSERT_NO_FATAL_FAILURE(OpenDialog({"ctrl+shift+n"}, "^Add Package$", "dialog-add-package.png", dialog));
  // The package's field, its list button, the library and then the footprint's name.
  ASSERT_TRUE(m_user.Type("TSSOP-14") && m_user.PressKeys({"Tab", "Tab", "Tab"}) && m_user.Type("SOIC-14"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Screenshot(dialog, "dialog-add-package.png");
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(dialog, main));
  EXPECT_TRUE(PcbShows(main, drawings, kAssignedPins, false)) << "the new package is not shown";

  // The tool bar's package list: SOIC-14 is just above the TSSOP-14 shown.
  ASSERT_TRUE(m_user.ClickAt(main, kPackageList));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(m_user.PressKeys({"Up", "Return"}));
  EXPECT_TRUE(PcbShows(main, drawings, kAssignedPins, true)) << "SOIC-14 with its pins is not shown";
  Screenshot(main, "editor-packages.png");

  // Select Package from the menu, left with Escape, for its picture.
  ASSERT_NO_FATAL_FAILURE(
      OpenDialog({"alt+c", "k"}, "^Select Package$", "dialog-select-package.png", dialog));
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(dialog, main, "Escape"));

  // Ctrl+Shift+Delete offers the package shown, SOIC-14; DIP-14 comes back.
  ASSERT_NO_FATAL_FAILURE(
      OpenDialog({"ctrl+shift+Delete"}, "^Delete Package$", "dialog-delete-package.png", dialog));
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(dialog, main, "alt+d"));

  // View > Display Colours: the outlines take the next colour of their list.
  ASSERT_TRUE(PcbShows(main, drawings, kOutlines, true));
  ASSERT_NO_FATAL_FAILURE(OpenDialog({"alt+v", "c"}, "^Display$", "dialog-display.png", dialog));
  ASSERT_TRUE(m_user.PressKeys({"Down"}));
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(dialog, main));
  EXPECT_TRUE(PcbShows(main, drawings, kOutlines, false)) << "the outlines kept their colour";

  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());
  EXPECT_EQ(PackagesOf(m_library.string()),
            (std::vector<std::pair<std::string, int>>{{"DIP-14", 6}, {"TSSOP-14", 6}}));
  ExpectOtherComponentsUnchanged();
  const std::string settings = Settings();
  EXPECT_NE(settings.find("\"Outlines\""), std::string::npos) << settings;
  EXPECT_EQ(settings.find("\"Outlines\": " + std::to_string(ColourSetting(kOutlines))), std::string::npos)
      << "the outlines' colour was not kept:\n"
      << settings;
  ExpectShots({"dialog-add-gate.png", "dialog-add-package.png", "dialog-select-package.png",
               "dialog-delete-package.png", "dialog-display.png"});
}

// The pale red the grid gives cells that will not pass.
constexpr Rgb kMarked{255, 205, 205};

// By keys alone, so the grid's layout does not matter: the cursor walks to gate a's
// first pin, Shift and the arrows select gates a and b over the NAND2 rows, Ctrl+C
// copies the block and Ctrl+V pastes it at gate c. Gates c and d then share every pin
// with a and b: the grid marks those twelve cells and the problem list (F8) lists them
// row by row; Go To on its eighth line (row 2, gate d) makes that cell current, where
// the user types pin 9. The marks never stop the save.
TEST_F(EditorOnScreenTest, PastesABlockOfPinsListsTheProblemsGoesToOneAndSaves) {
  const int soicGateC = PinOf(m_library.string(), 1, 2, 1);
  std::string main;
  Drawings drawings;
  ASSERT_NO_FATAL_FAILURE(OpenQuadNand2(main, drawings));
  const PixelBox grid{0, 0, drawings.pcb.right, drawings.schematic.top - 1};
  ASSERT_TRUE(ClickInGrid(main, drawings) &&
              Keys({"ctrl+End", "Up", "Up", "Up", "Up", "Left", "Left", "Left", "Left"}));
  ASSERT_TRUE(Keys({"shift+Right", "shift+Down", "shift+Down", "ctrl+c", "Right", "Right", "ctrl+v"}));
  EXPECT_TRUE(LookUntil(main, [&](const ScreenImage& shot) {
    return shot.FindColour(kMarked, grid).pixels > 0 && shot.FindRegions(kMarked).size() >= 12;
  })) << "the pasted pins were not marked";
  Screenshot(main, "pin-grid-marks.png");

  std::string problems;
  ASSERT_NO_FATAL_FAILURE(
      OpenDialog({"F8"}, "^Pin Grid Problems$", "dialog-pin-grid-problems.png", problems));
  ASSERT_TRUE(Keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down"}));
  ASSERT_NO_FATAL_FAILURE(ConfirmDialog(problems, main));
  // A click below the rows gives the grid the keyboard and leaves its cursor where it is.
  ASSERT_TRUE(ClickInGrid(main, drawings) && m_user.Type("9") && Keys({"Return"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Screenshot(main, "pin-grid-after-go-to.png");
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());

  std::vector<int> pins;
  for (int cell = 0; cell < 12; ++cell) pins.push_back(PinOf(m_library.string(), 0, cell / 3, cell % 3 + 1));
  EXPECT_EQ(pins, (std::vector<int>{1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 9, 6}))
      << "gates c and d hold the pasted block, pin 9 where Go To went";
  EXPECT_EQ(PinOf(m_library.string(), 1, 2, 1), soicGateC) << "the SOIC-14 record was not shown";
  ExpectOtherComponentsUnchanged();
  ExpectShots({"pin-grid-marks.png", "dialog-pin-grid-problems.png", "pin-grid-after-go-to.png"});
}

// The tab order of the New Component dialog: the name, the package, the footprint's
// library, name (its text, then its list) and pins, the same for the schematic symbol,
// the gates, OK, Cancel, and last the default reference.
TEST_F(EditorOnScreenTest, CreatesAComponentAssignsAPinByClickingAndSavesIt) {
  const std::string original = ReadFileText(m_library);
  ASSERT_NO_FATAL_FAILURE(StartEditor());
  const std::string picker =
      WaitForDialog("^Open Component from sample\\.cmplib$", "editor-library-picker.png");
  ASSERT_TRUE(!picker.empty() && m_user.PressKeys({"Escape"}) &&
              m_user.WaitForWindowGone(picker, kWindowSeconds));
  std::string main;
  ASSERT_NO_FATAL_FAILURE(FocusWindow("^Component Editor$", main));

  // Ctrl+N: the dialog, filled from the keyboard and confirmed with OK (its default).
  ASSERT_TRUE(m_user.PressKeys({"ctrl+n"}));
  std::string dialog;
  ASSERT_NO_FATAL_FAILURE(FocusWindow("^New Component$", dialog));
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  // In a symbol list Down moves the selection, as a click on the line would.
  ASSERT_TRUE(TypeSlowly("NAND-NEW") && Keys({"Tab"}) && TypeSlowly("DIP-14") && Keys({"Tab", "Tab", "Tab"}));
  ASSERT_TRUE(Keys({"Down", "Down", "Tab", "Tab", "Tab", "Down", "Down", "Down", "Tab", "Tab"}));
  ASSERT_TRUE(Keys({"ctrl+a"}) && TypeSlowly("4") && Keys({"Tab", "Tab", "Tab"}) && TypeSlowly("U"));
  Screenshot(dialog, "dialog-new-component.png");
  ASSERT_TRUE(m_user.PressKeys({"shift+Tab", "shift+Tab", "space"}));
  ASSERT_TRUE(m_user.WaitForWindowGone(dialog, kWindowSeconds)) << "OK did not take the new component";

  ASSERT_NO_FATAL_FAILURE(FocusWindow("^Component Editor - \\*NAND-NEW - sample\\.cmplib$", main));
  const std::optional<Drawings> drawings = WaitForDrawings(main, kUnassignedPins);
  ASSERT_TRUE(drawings) << "the new component's drawings were not shown";

  // The grid's last cell is gate d's last terminal, which the schematic highlights; any
  // pad of the footprint, none of them assigned yet, goes to it.
  ASSERT_TRUE(ClickInGrid(main, *drawings));
  const std::optional<Highlights> last = WalkInGrid(main, *drawings, {"ctrl+End"}, {});
  ASSERT_TRUE(last && last->schematic) << "the last terminal was not highlighted";
  ScreenImage shot;
  std::string error;
  ASSERT_TRUE(m_user.Look(main, shot, error)) << error;
  const PixelPoint pad = shot.FindColour(kUnassignedPins, drawings->pcb).inside;
  ASSERT_TRUE(m_user.PressKeys({"ctrl+a"}) && m_user.ClickAt(main, pad) &&
              m_user.ClickAt(main, *last->schematic));
  // The grid's cursor stays on the terminal, which now has a pin: its pad lights up.
  EXPECT_TRUE(PcbShows(main, *drawings, kHighlight, true)) << "the clicked pad was not given to the terminal";
  Screenshot(main, "editor-new-component.png");
  ASSERT_TRUE(m_user.PressKeys({"Escape"}));
  EXPECT_EQ(ReadFileText(m_library), original) << "nothing is written before the save";
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());

  CDesign design;
  ASSERT_TRUE(LoadQuadNand2(m_library.string(), design, "NAND-NEW"));
  const CComponent& added = *design.FirstComponent();
  EXPECT_EQ(added.GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(added.GetDefaultReference(), "U");
  ASSERT_EQ(added.CountGates(), 4);
  const int pin = added.GetPinNumber(3, 3);
  EXPECT_TRUE(pin >= 1 && pin <= 14) << "gate d's last terminal got pin " << pin;
  EXPECT_EQ(TextWithout(ReadFileText(m_library), "NAND-NEW"), original)
      << "the rest of the file is as it was";
}

// Two cells typed, then the program is killed: the next start offers the recovery copy,
// Restore opens it, and the save puts both changes into the library.
TEST_F(EditorOnScreenTest, RestoresTheChangesOfAKilledProgram) {
  ASSERT_EQ(PinOf(m_library.string(), 0, 4, 1), 14);
  ASSERT_EQ(PinOf(m_library.string(), 0, 4, 2), 7);
  const std::string original = ReadFileText(m_library);
  std::string main;
  Drawings drawings;
  ASSERT_NO_FATAL_FAILURE(OpenQuadNand2(main, drawings));
  // Ctrl+End is gate e's GND, the row above its VCC.
  ASSERT_TRUE(ClickInGrid(main, drawings));
  ASSERT_TRUE(Keys({"ctrl+End"}) && m_user.Type("8") && Keys({"Return"}));
  ASSERT_TRUE(Keys({"ctrl+End", "Up"}) && m_user.Type("9") && Keys({"Return"}));
  const fs::path copies = m_folder / "state" / "component-editor" / "recovery";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kDrawingSeconds);
  std::error_code absent;
  while ((!fs::exists(copies) || fs::is_empty(copies, absent)) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_TRUE(fs::exists(copies) && !fs::is_empty(copies)) << "no recovery copy was written";
  // The copy is written a few seconds after the last change; one more second lets the
  // second change reach it.
  std::this_thread::sleep_for(std::chrono::seconds(4));
  m_editor.Kill();
  ASSERT_EQ(ReadFileText(m_library), original);

  ASSERT_NO_FATAL_FAILURE(StartEditor(false));
  const std::string dialog = WaitForDialog("^Recover Unsaved Changes$", "dialog-recovery.png");
  ASSERT_TRUE(!dialog.empty() && m_user.PressKeys({"alt+r"}) &&
              m_user.WaitForWindowGone(dialog, kWindowSeconds))
      << "Restore did not take the copy";
  ASSERT_NO_FATAL_FAILURE(FocusWindow("^Component Editor - \\*QUAD-NAND2", main));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit());
  EXPECT_EQ(PinOf(m_library.string(), 0, 4, 1), 9);
  EXPECT_EQ(PinOf(m_library.string(), 0, 4, 2), 8);
  ExpectOtherComponentsUnchanged();
  EXPECT_TRUE(fs::is_empty(copies)) << "the save removed the copy";
}

}  // namespace
