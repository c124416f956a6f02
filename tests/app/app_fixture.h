// The application on the headless platform: a fresh settings store, a copy of the
// sample library in a folder of the test's own, and file choosers answered from a
// script. Tests act through the menus, tool bar and shortcuts of the main window.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_component_frame.h"
#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "app/main_frame.h"
#include "app/recovery_store.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/edit_grid.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "platform/property_sheet.h"
#include "platform/settings_store.h"
#include "tests/app/component_text.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/library_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/view_items.h"

namespace fs = std::filesystem;
namespace Samples = KicadImportSamples;

// Where a user clicks to assign one pin: the PCB pad of a pin or a gate's terminal, as a
// point in the client area of the view that shows it (no view when it shows none).
struct ClickTarget {
  CWnd* view = nullptr;  // not owned
  CPoint point;
};
ClickTarget PcbPadTarget(const CComponentFrame& frame, int pin);
ClickTarget ScmTerminalTarget(const CComponentFrame& frame, int gate, int terminal);
// The lines of a list box or a combo box.
std::vector<CString> Items(CWnd* box);
// Puts each text into its control of the dialog as a user does: a combo box's line is
// chosen when the box lists the text and typed when it does not; an edit takes it typed.
void Fill(CDialog& dialog, UserInput& input, const std::vector<std::pair<int, CString>>& fields);

class ScriptedFilePrompt : public FilePrompt {
 public:
  std::deque<CString> openAnswers;
  std::deque<CString> saveAnswers;
  std::deque<CString> pinMapAnswers;
  std::deque<CString> folderAnswers;
  int asked = 0;
  std::vector<CString> foldersShown;
  bool foldersOpen = true;

  CString AskLibraryToOpen(const CString&) override { return Next(openAnswers); }
  CString AskLibraryToSave(const CString&) override { return Next(saveAnswers); }
  CString AskPinMapToOpen(const CString&) override { return Next(pinMapAnswers); }
  CString AskPinMapToSave(const CString&) override { return Next(pinMapAnswers); }
  CString AskPinTableToOpen(const CString&) override { return Next(pinMapAnswers); }
  CString AskFolder(const CString&, const CString&) override { return Next(folderAnswers); }
  bool ShowFolder(const CString& folder) override {
    foldersShown.push_back(folder);
    return foldersOpen;
  }

 private:
  CString Next(std::deque<CString>& answers) {
    ++asked;
    const CString answer = answers.empty() ? CString() : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
};

class AppTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  CEditorApp& App() { return *m_app; }
  CMainFrame& Main();
  // The active component frame; fails the test when none is open.
  CAppComponentFrame& Frame();
  MemorySettingsStore& Settings() { return *m_settings; }

  // The copy of the sample library, and other files of the test's folder.
  CString Library() const { return Path("sample.cmplib"); }
  CString Path(const std::string& name) const { return m_folder / name; }

  // Opens the component straight away, as the command line does.
  bool Open(const char* name = "QUAD-NAND2") { return App().OpenComponent(Library(), name); }
  // Closes every component (without saving) and the application, and starts it again
  // on the settings store that is current then, as a user restarting the program.
  void Restart();
  // Assigns `pin` to the gate's terminal by clicking the pad and then the terminal.
  void AssignByClicking(int pin, int gate, int terminal);
  // The dialog `id`, opened by the menu command, filled as Fill does and ended with OK.
  void FillAndConfirm(UINT command, int id, const std::vector<std::pair<int, CString>>& fields);
  // The menu item's state after its popup opened.
  bool MenuEnabled(UINT command) { return MenuItem(command).enabled; }
  const MenuEntry& MenuItem(UINT command);
  CString UndoText() { return MenuItem(ID_APP_UNDO).text; }

  // The active frame's record, the pin of one of its gate's terminals, and the record in
  // one line after the component's name.
  CComponent& Record() { return *Frame().GetComponent(false); }
  int Pin(int gate = 0, int terminal = 1) { return Record().GetPinNumber(gate, terminal); }
  std::string Shown() { return Record().GetName().str() + " " + Described(Record()); }
  CEditGrid& Cells() { return Frame().GetGrid()->GetEditGrid(); }
  // Gate a's first pin in the record OnDisk finds; -100 when there is none.
  int PinOnDisk(const char* name = "QUAD-NAND2", const char* package = "", CString library = {}) {
    const CComponent* record = OnDisk(name, package, library);
    return record != nullptr ? record->GetPinNumber(0, 1) : -100;
  }
  std::string LibraryText() const { return ReadFileText(Library().str()); }
  // Assign Pins, and `pin` clicked onto the gate's terminal (gate a's first by default):
  // the run, and its undo level, stay open.
  void AssignInAnOpenRun(int pin = 14, int gate = 0, int terminal = 1);
  // The same run ended with the select mode: one unsaved change.
  void ChangeOnePin(int pin = 14, int gate = 0, int terminal = 1);
  // The property sheet, its active page's class noted in `sheetOpenedAt`, ended with
  // `button` after `act`.
  void ExpectSheet(int button, const std::function<void(CWnd& page, UserInput&)>& act);
  std::string sheetOpenedAt;
  // A click, or a double click, on the target.
  void Click(const ClickTarget& target, bool twice = false);
  // How many of the messages shown so far hold `part`.
  int MessagesHolding(const char* part);
  // The field's sample libraries written into the test's folder, each kind used last there.
  void UseFieldLibraries();
  // The files of the recovery folder, and a recovery copy read from one.
  std::vector<fs::path> RecoveryFiles();
  static RecoveryCopy ReadRecovery(const fs::path& file);
  // The pads the active frame's PCB or schematic drawing shows.
  std::vector<CPadInstance*> Pads(bool pcb);
  // The record of `name` for `package` (the first when empty) as `library` (the sample's
  // copy when empty) holds it now; null when it holds none.
  const CComponent* OnDisk(const char* name, const char* package = "", CString library = {});

  ScriptedFilePrompt prompt;
  std::string original;  // the sample's copy as the test began

 private:
  void CloseComponents();

  ScratchFolder m_folder;
  std::list<CDesign> m_loaded;
  MemorySettingsStore* m_settings = nullptr;  // not owned: the platform's current store
  std::unique_ptr<CEditorApp> m_app;
};
