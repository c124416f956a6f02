// The editor fixture: a headless application with a main window and a component frame
// open on a design, as the host creates it, plus recorders for what the editor does.
//
// Open an editor on a component of the bundled sample library (data/sample.cmplib):
//
//   class GateDeletionTest : public EditorTest {};
//
//   TEST_F(GateDeletionTest, DeletesTheGateFromEveryPackage) {
//     ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));  // both packages, DIP-14 current
//     Screen().ExpectMessageBox(IDYES, "Delete gate b?");
//     Symbols().DeleteGate(ScmGate(1));
//     EXPECT_EQ(Component().CountGates(), 4);
//     EXPECT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
//   }
//
// or on a small component made by the builder, on the sample libraries' symbols:
//
//   ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8")));
//
// `SampleEditorTest` opens "QUAD-NAND2" in its SetUp for tests that need nothing else.
//
// Before the editor opens, a test may fill or change the design (Design(), or
// ComponentBuilder::BuildInto and then OpenEditor()), the settings (Settings()), make
// the grid control fail (FailGridCreation()) or queue the message boxes it expects
// (Screen().ExpectMessageBox). The settings start empty, in memory; the program's
// directory is the data folder, so the default libraries, technology files and stock
// lists are the bundled ones. Frames are destroyed before the design at the end.
//
// The user acts through `user` (platform/user_input.h) on the windows reached here:
// Frame(), Symbols(), ScmView(), PcbView(), Grid(). ScmGate, ScmTerminal, PcbFootprint
// and PcbPad find the items the views drew; Select marks one selected in its drawing.
// An accessor whose window is missing throws, which fails the test at that line.
//
// Recorders (opening the editor is recorded too): Hints() for every UpdateAllViews on
// the design, heard by a spy view that joined the design first; UndoLevels() for every
// undo level opened and closed; Settings().Writes() for the registry writes. These
// three start again at ClearRecords(). MessageTexts() and Screen().MessageBoxesShown()
// hold every message box of the test; MainWindow().CommandsReceived() the commands sent
// to the main window.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/frame/component_frame.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "platform/settings_store.h"
#include "platform/win_thread.h"
#include "tests/support/headless_test.h"
#include "tests/support/view_items.h"

// The host's main window: records the commands it receives (the views send 32814 when
// an assign-pins run ends) and keeps them from being routed back into the editor. A test
// that needs the host's answer to the end of a run (the drawings back in select mode)
// sets it with OnAssignmentEnded.
class CHostMainWindow : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CHostMainWindow)

 public:
  const std::vector<UINT>& CommandsReceived() const { return m_commands; }
  void ClearCommands() { m_commands.clear(); }
  void OnAssignmentEnded(std::function<void()> answer) { m_assignmentEnded = std::move(answer); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::vector<UINT> m_commands;
  std::function<void()> m_assignmentEnded;
  bool m_answering = false;
};

// The host's frame class as a host writes it: derived from CComponentFrame, created
// through its run-time class. It counts the accelerator calls of in-cell edits, records
// what the edit-in-library commands hand to the host, and ends an assignment run and
// runs the design check from the host's own commands.
class CHostComponentFrame : public CComponentFrame {
  DECLARE_DYNCREATE(CHostComponentFrame)

 public:
  using CComponentFrame::IsDesignValid;
  using CComponentFrame::StopAssignPins;
  void DestroyAccelerators() override { ++m_acceleratorsDestroyed; }
  void RestoreAccelerators() override { ++m_acceleratorsRestored; }
  int AcceleratorsDestroyed() const { return m_acceleratorsDestroyed; }
  int AcceleratorsRestored() const { return m_acceleratorsRestored; }
  struct LibraryEdit {
    SelectedLibrarySymbol symbol;
    bool pcbSymbol = false;
  };
  const std::vector<LibraryEdit>& LibraryEdits() const { return m_libraryEdits; }

 protected:
  CHostComponentFrame() = default;
  void EditSymbolInLibrary(const SelectedLibrarySymbol& symbol, bool pcbSymbol) override {
    m_libraryEdits.push_back({symbol, pcbSymbol});
  }

 private:
  int m_acceleratorsDestroyed = 0;
  int m_acceleratorsRestored = 0;
  std::vector<LibraryEdit> m_libraryEdits;
};

// One UpdateAllViews call as the views heard it. The hint object lives only for the
// call, so what the tests need of it is copied.
struct RecordedHint {
  LPARAM hint = 0;
  CView* sender = nullptr;          // not owned
  const CObject* object = nullptr;  // identity only: may be gone by now
  // HintPinNumber (symbol, gate, terminal, pin) and HintPinName (symbol, terminal, name).
  CString symbol;
  int gate = 0;
  int terminal = 0;
  int pin = 0;
  CString name;
};

// A view that joins the design without a window, to hear every update hint.
class HintRecorder : public CView {
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;

  const std::vector<RecordedHint>& All() const { return m_hints; }
  // The hint values in the order sent.
  std::vector<LPARAM> Values() const;
  int Count(LPARAM hint) const { return static_cast<int>(OfKind(hint).size()); }
  // The recorded hints of one value, in order.
  std::vector<RecordedHint> OfKind(LPARAM hint) const;
  void Clear() { m_hints.clear(); }

 private:
  std::vector<RecordedHint> m_hints;
};

// Every undo level opened and closed on the design, nested ones included.
class UndoRecorder {
 public:
  void Record(const UndoLevelEvent& event) { m_events.push_back(event); }
  const std::vector<UndoLevelEvent>& Events() const { return m_events; }
  std::vector<UINT> Started() const { return Ids(UndoLevelEvent::Kind::Start); }
  std::vector<UINT> Ended() const { return Ids(UndoLevelEvent::Kind::End); }
  // Every level closed with the id it was opened with, none left open.
  bool Balanced() const;
  void Clear() { m_events.clear(); }

 private:
  std::vector<UINT> Ids(UndoLevelEvent::Kind kind) const;

  std::vector<UndoLevelEvent> m_events;
};

// Builds one component into a design: gates drawn by symbols of the sample libraries
// and packages drawn by the sample footprints. By default the pins are numbered 1, 2,
// ... in gate and terminal order in every package.
class ComponentBuilder {
 public:
  explicit ComponentBuilder(const char* name = "DUT") : m_name(name) {}

  // `count` gates of `terminals` terminals each, drawn by a sample symbol of that size
  // (2: INV, 3: NAND2, 4: DFF, 10: CONN10).
  ComponentBuilder& Gates(int count, int terminals);
  // `count` gates drawn by `symbol` of `library`.
  ComponentBuilder& Gates(int count, const char* symbol, int terminals,
                          const char* library = "logic.scmlib") {
    m_gates.insert(m_gates.end(), count, {library, symbol, terminals});
    return *this;
  }
  // A package drawn by `footprint` of `pads` pads in the PCB library `library`; by
  // default drawn by the sample footprint of that name (the smallest that has enough
  // pads when null), its pin count the footprint's.
  ComponentBuilder& Package(const char* package, const char* footprint = nullptr, int pads = 0,
                            const char* library = "footprints.pcblib") {
    m_packages.push_back({package, footprint != nullptr ? footprint : "", pads, library});
    return *this;
  }
  // Leaves every terminal without a pin.
  ComponentBuilder& Unassigned() {
    m_assignPins = false;
    return *this;
  }

  // Appends the records to `design`; the first package's record comes first.
  void BuildInto(CDesign& design) const;

 private:
  struct GateSpec {
    CString library;
    CString symbol;
    int terminals = 0;
  };
  struct PackageSpec {
    CString package;
    CString footprint;
    int pads = 0;  // 0: taken from the sample footprint
    CString library;
  };

  CString m_name;
  std::vector<GateSpec> m_gates;
  std::vector<PackageSpec> m_packages;
  bool m_assignPins = true;
};

class EditorTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // ---- Opening the editor ----
  // Loads the component's records from the sample library into the design and opens
  // the frame on it. False (with the reason added to the test's failures) when the
  // component cannot be loaded or the frame is not created.
  bool OpenSampleComponent(const char* name);
  // Builds the component into the design and opens the frame on it.
  bool OpenEditor(const ComponentBuilder& builder) {
    builder.BuildInto(*m_design);
    return OpenEditor();
  }
  // Opens the frame on the design as it is: dynamic creation of the host's frame class
  // with a creation context naming the design, initial updates done.
  bool OpenEditor();
  // Another frame on the same design, as a second window of the host; null on failure.
  CHostComponentFrame* OpenSecondFrame();
  void CloseEditor();
  // The grid control refuses to be created until the end of the test.
  void FailGridCreation() { CFlexGrid::SetFailCreationForTesting(true); }

  // ---- What the user and the tests reach ----
  CHostMainWindow& MainWindow() { return *m_mainWindow; }
  CHostComponentFrame& Frame() { return Required(m_frame, "frame open"); }
  CSymbolsFrame& Symbols() { return Required(Frame().GetSymbolsFrame(), "symbols frame"); }
  CScmSymbolView& ScmView() { return Required(Symbols().GetScmView(), "schematic view"); }
  CPcbSymbolView& PcbView() { return Required(Symbols().GetPcbView(), "PCB view"); }
  // Null while the frame shows the dummy grid.
  CComponentGrid* Grid() { return Frame().GetGrid(); }
  CDesign& Design() { return *m_design; }
  // The frame's current component (GetComponent(false)); fails the test when none.
  CComponent& Component() { return Required(Frame().GetComponent(false), "current component"); }

  // ---- Items of the drawings ----
  // The items the views drew for the current component: a gate's symbol instance and
  // its terminal (pad) in the schematic view, the footprint and its pad of a pin in the
  // PCB view. Null, with a failure added, when the drawing has no such item.
  CSymbolInstance* ScmGate(int gate) {
    return Found(FirstOf(PlacedSymbols(ScmView()), [&](auto* symbol) { return symbol->GetGate() == gate; }),
                 "symbol of gate " + std::to_string(gate));
  }
  CPadInstance* ScmTerminal(int gate, int terminal) {
    return Found(Terminal(ScmView(), gate, terminal),
                 "terminal " + std::to_string(terminal) + " of gate " + std::to_string(gate));
  }
  CSymbolInstance* PcbFootprint() {
    return Found(FirstOf(PlacedSymbols(PcbView()), [](auto*) { return true; }), "footprint");
  }
  CPadInstance* PcbPad(int pin) { return Found(Land(PcbView(), pin), "pad of pin " + std::to_string(pin)); }
  // Marks the item selected in its view's drawing, as a pick of the select mode does;
  // returns it. A null item selects nothing.
  template <class Item>
  Item* Select(Item* item) {
    if (item != nullptr) item->SetSelected(true);
    return item;
  }
  // Where a pad is drawn, in its view's client coordinates: the point to click on it.
  static CPoint ClientPointOf(const CSymbolView& view, const CPadInstance* pad) {
    return view.GetTransform().ToView(pad->GetPosition());
  }

  // ---- Recorders ----
  HintRecorder& Hints() { return m_hints; }
  UndoRecorder& UndoLevels() { return m_undo; }
  MemorySettingsStore& Settings() { return *m_settings; }
  // The texts of the message boxes shown so far, in order.
  std::vector<CString> MessageTexts();
  // Forgets the hints, undo levels and registry writes recorded so far.
  void ClearRecords();

  // The sample library and the folder the relative library names are found in.
  static CString SamplePath() { return DataDirectory() + "/sample.cmplib"; }
  static CString DataDirectory();

 private:
  template <class T>
  static T& Required(T* object, const char* what) {
    if (object == nullptr) throw std::logic_error(std::string("the editor has no ") + what);
    return *object;
  }
  template <class T>
  static T* Found(T* item, const std::string& what) {
    if (item == nullptr) ADD_FAILURE() << "the drawing has no " << what;
    return item;
  }

  std::unique_ptr<CWinApp> m_app;
  std::unique_ptr<CHostMainWindow> m_mainWindow;
  std::unique_ptr<CDesign> m_design;
  CHostComponentFrame* m_frame = nullptr;  // not owned: the window owns it
  std::vector<HWND> m_frameHandles;        // every frame opened, closed at the end
  HintRecorder m_hints;
  UndoRecorder m_undo;
  MemorySettingsStore* m_settings = nullptr;  // not owned: the platform's current store
};

// An editor on the sample's "QUAD-NAND2" (packages DIP-14 and SOIC-14).
class SampleEditorTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  }
};

// Each gate's pins of `record` by terminal, in gate order (CGate::kNoPin for none).
using PinMap = std::vector<std::vector<int>>;
PinMap PinsOf(const CComponent& record);

// OK shows `message` (any text when null) and leaves `dialog` open with the focus on
// the control `focus`, as the editor's dialogs refuse what they cannot take.
void ExpectRefusedOnOk(HeadlessBackend& screen, UserInput& user, CDialog& dialog, const char* message,
                       int focus);
// The next dialog must come from `templateId` (0: a property sheet): `act` works on it,
// then `button` is pressed. A dialog left open after the button fails the test and is
// cancelled.
void ExpectDialogClosedBy(HeadlessBackend& screen, UINT templateId, int button,
                          HeadlessBackend::DialogResponder act = {});
// Every record of the design, in design order.
std::vector<ComponentValue> RecordsOf(const CDesign& design);
