// The main window on a real (virtual) screen: menu bar, tool bar, status bar and MDI
// tabs built from the platform's state, and an MDI child whose splitter holds a grid
// control above a drawing. Simulated mouse and keyboard input must reach the
// platform exactly as a user's would.
#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "gui/screenshot.h"
#include "gui/wx_peer.h"
#include "platform/accelerator_table.h"
#include "platform/context_menu.h"
#include "platform/device_context.h"
#include "platform/document.h"
#include "platform/edit.h"
#include "platform/grid_ctrl.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/splitter_wnd.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/view.h"
#include "platform/win_thread.h"
#include "tests/gui/screen_test_support.h"

namespace {

constexpr UINT kNew = 57600;
constexpr UINT kSave = 57603;
constexpr UINT kPaste = 57637;
constexpr UINT kAssignPins = 32800;
constexpr UINT kZoomIn = 32801;
constexpr UINT kZoomPane = 32900;
constexpr UINT kAssignPin = 16016;
constexpr UINT kDeletePin = 16045;

std::unique_ptr<CMenu> MainMenu() {
  auto menu = std::make_unique<CMenu>();
  CMenu& file = menu->AppendPopup("&File");
  file.AppendMenu(MF_STRING, kNew, "&New\tCtrl+N");
  file.AppendMenu(MF_STRING, kSave, "&Save\tCtrl+S");
  CMenu& edit = menu->AppendPopup("&Edit");
  edit.AppendMenu(MF_STRING, kPaste, "&Paste\tCtrl+V");
  edit.AppendMenu(MF_SEPARATOR);
  edit.AppendMenu(MF_STRING, kAssignPins, "&Assign Pins");
  CMenu& view = menu->AppendPopup("&View");
  view.AppendMenu(MF_STRING, kZoomIn, "Zoom &In\t" + CAcceleratorTable::KeyText(VK_OEM_PLUS, FCONTROL));
  return menu;
}

// The main window. New and Paste have no handler, so menus and buttons show them off.
class MainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(MainFrame)

 public:
  CToolBar toolBar;
  CStatusBar statusBar;
  int saves = 0;
  int zooms = 0;
  bool assigning = false;

  void OnSave() { ++saves; }
  void OnZoomIn() { ++zooms; }
  void OnAssignPins() { assigning = !assigning; }
  void OnUpdateAssignPins(CCmdUI* state) { state->SetCheck(assigning ? 1 : 0); }
  // A count that drops to nothing leaves the pane empty, not showing the last count.
  std::string zoomText = "Zoom 100%";
  void OnUpdateZoomPane(CCmdUI* state) { state->SetText(zoomText.c_str()); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
    if (!toolBar.Create(this) || !statusBar.Create(this) || !EnableMDITabs()) return -1;
    toolBar.AddButton(kNew, "document-new", "New", "New component");
    toolBar.AddButton(kSave, "document-save", "Save", "Save the library");
    toolBar.AddSeparator();
    toolBar.AddButton(kZoomIn, "zoom-in", "Zoom", "Zoom in");
    toolBar.AddButton(kAssignPins, "", "Pins", "Assign pins by clicking", TBBS_CHECKBOX);
    const UINT panes[] = {ID_SEPARATOR, kZoomPane};
    statusBar.SetIndicators(panes, 2);
    statusBar.SetPaneInfo(1, kZoomPane, 110);
    SetMenu(MainMenu());
    SetAccelerators({{'S', FCONTROL, kSave}, {VK_OEM_PLUS, FCONTROL, kZoomIn}, {VK_ADD, 0, kZoomIn}});
    return 0;
  }
};

IMPLEMENT_DYNCREATE(MainFrame, CMDIFrameWnd)

const MessageMap MainFrame::kMessageMap{
    &CMDIFrameWnd::kMessageMap,
    {CommandEntry(kSave, &MainFrame::OnSave), CommandEntry(kZoomIn, &MainFrame::OnZoomIn),
     CommandEntry(kAssignPins, &MainFrame::OnAssignPins),
     UpdateCommandUIEntry(kAssignPins, &MainFrame::OnUpdateAssignPins),
     UpdateCommandUIEntry(kZoomPane, &MainFrame::OnUpdateZoomPane)}};

// A pin grid: headers in the fixed row and column, names and pins to edit, one pin
// bold and one disabled.
class PinGridView : public CView {
  DECLARE_DYNCREATE(PinGridView)

 public:
  CGridCtrl grid;
  std::vector<std::string> events;

  void OnDraw(CDC*) override {}
  LRESULT OnEditStart(WPARAM, LPARAM) { return Log("start"); }
  LRESULT OnEditChange(WPARAM, LPARAM) { return Log("change " + grid.GetText().str()); }
  LRESULT OnEditStop(WPARAM, LPARAM) { return Log("stop"); }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CView::OnCreate(cs) == -1) return -1;
    if (!grid.Create(WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), cs->rect.Size()), this, 100)) return -1;
    Fill();
    return 0;
  }
  void OnSize(UINT type, int cx, int cy) override {
    CView::OnSize(type, cx, cy);
    if (grid.m_hWnd != nullptr) grid.MoveWindow(0, 0, cx, cy);
  }

 private:
  LRESULT Log(const std::string& event) {
    events.push_back(event);
    return 0;
  }
  void Fill() {
    const char* cells[] = {"Gate", "Terminal", "Name", "Pin", "A", "1", "IN1", "1", "A", "2", "IN2", "2",
                           "A",    "3",        "OUT",  "3",   "B", "1", "IN1", "4", "B", "2", "NC",  "n/c"};
    const int widths[] = {60, 80, 140, 70};
    grid.SetCols(4);
    grid.SetRows(6);
    for (long col = 0; col < 4; ++col) grid.SetColWidth(col, widths[col]);
    for (long row = 0; row < 6; ++row) {
      for (long col = 0; col < 4; ++col) {
        grid.SetTextMatrix(row, col, cells[row * 4 + col]);
        grid.SetCell(row, col);
        if (row > 0 && col >= 2) grid.SetCellEditClass(RUNTIME_CLASS(CEdit));
        if (col == 1) grid.SetCellAlignment(kGridAlignCenterCenter);
      }
    }
    grid.SetCell(3, 3);
    grid.SetCellFontBold(TRUE);
    grid.SetCell(5, 3);
    grid.SetCellDisabled(TRUE);
    grid.SetCell(1, 2);
    grid.SetAllowUserResizing(TRUE);
  }
};

IMPLEMENT_DYNCREATE(PinGridView, CView)

const MessageMap PinGridView::kMessageMap{
    &CView::kMessageMap,
    {RegisteredMessageEntry(CGridCtrl::GetEditStartMessage(), &PinGridView::OnEditStart),
     RegisteredMessageEntry(CGridCtrl::GetEditChangeMessage(), &PinGridView::OnEditChange),
     RegisteredMessageEntry(CGridCtrl::GetEditStopMessage(), &PinGridView::OnEditStop)}};

// A drawing of a gate with its pins, and a red block whose pixels the test reads.
class SketchView : public CView {
  DECLARE_DYNCREATE(SketchView)

 public:
  static constexpr CPoint kRedBlock{330, 30};
  std::vector<CPoint> presses;
  UINT chosen = 0;
  int draws = 0;

  void OnDraw(CDC* dc) override {
    ++draws;
    dc->SelectPen({PS_SOLID, 2, RGB(0, 0, 160)});
    dc->SelectBrush({RGB(255, 255, 210), false});
    dc->Rectangle(60, 40, 200, 160);
    dc->SelectPen({PS_SOLID, 1, RGB(0, 0, 0)});
    for (const CRect& line : {CRect(20, 70, 60, 70), CRect(20, 100, 60, 100), CRect(20, 130, 60, 130),
                              CRect(216, 100, 260, 100)}) {
      dc->MoveTo(line.left, line.top);
      dc->LineTo(line.right, line.bottom);
    }
    dc->Ellipse(CRect(200, 92, 216, 108));
    const CPoint triangle[] = {{90, 60}, {90, 140}, {170, 100}};
    dc->SelectBrush(DCBrush::Hollow());
    dc->Polygon(triangle, 3);
    dc->SelectPen({PS_DASH, 1, RGB(120, 120, 120)});
    dc->Arc(CRect(240, 150, 320, 230), CPoint(320, 190), CPoint(240, 190));
    dc->SetBkMode(TRANSPARENT);
    dc->SelectFont({"sans-serif", 16, true, 0});
    dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(60, 170, "U1 NAND");
    dc->SelectFont({"sans-serif", 12, false, 900});
    dc->TextOut(40, 150, "PINS");
    dc->FillSolidRect(CRect(kRedBlock, CSize(40, 30)), RGB(220, 0, 0));
  }
  LRESULT OnLeftDown(WPARAM, LPARAM point) {
    presses.emplace_back(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    return 0;
  }
  // A right click offers the pin commands at the cursor.
  LRESULT OnContextMenu(WPARAM, LPARAM point) {
    CContextMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kAssignPin, "Assign Pin");
    menu.AppendMenu(MF_STRING, kDeletePin, "Delete Pin");
    chosen =
        menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, GET_X_LPARAM(point), GET_Y_LPARAM(point), this);
    return 0;
  }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }
};

IMPLEMENT_DYNCREATE(SketchView, CView)

const MessageMap SketchView::kMessageMap{&CView::kMessageMap,
                                         {MessageEntry(WM_LBUTTONDOWN, &SketchView::OnLeftDown),
                                          MessageEntry(WM_CONTEXTMENU, &SketchView::OnContextMenu)}};

// The grid above the drawing, a third of the height to two thirds.
class PinsFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(PinsFrame)

 public:
  CSplitterWnd splitter;

  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    CRect client;
    GetClientRect(&client);
    const CSize size = client.Size();
    return splitter.CreateStatic(this, 2, 1) &&
           splitter.CreateView(0, 0, RUNTIME_CLASS(PinGridView), CSize(size.cx, size.cy / 3), context) &&
           splitter.CreateView(1, 0, RUNTIME_CLASS(SketchView), CSize(size.cx, 2 * size.cy / 3), context);
  }
  PinGridView& Grid() const { return *static_cast<PinGridView*>(splitter.GetPane(0, 0)); }
  SketchView& Sketch() const { return *static_cast<SketchView*>(splitter.GetPane(1, 0)); }
};

IMPLEMENT_DYNCREATE(PinsFrame, CMDIChildWnd)

// The centre of a grid cell on screen, the grid scrolled to its start.
wxPoint CellPoint(const CGridCtrl& grid, int row, int col) {
  auto* shown = dynamic_cast<wxGrid*>(PeerWindow(grid.m_hWnd));
  const wxRect cell = shown->CellToRect(row, col);
  return shown->ClientToScreen(cell.GetPosition() + cell.GetSize() / 2);
}

// What the top edge of a grid cell shows, halfway across, in the first frame that tints
// it blue once its editor is up: "ring" for the full blue of a focus ring, else the
// colour, as a ring fading in shows first. A slow machine only shows the fade later in its
// course, so it can pass a fade but never fail a ring.
std::string EdgeOfEditedCell(const CGridCtrl& grid, int row, int col) {
  auto* shown = dynamic_cast<wxGrid*>(PeerWindow(grid.m_hWnd));
  const auto yield = [] {
    wxYieldIfNeeded();
    wxMilliSleep(2);
  };
  const wxStopWatch waiting;
  while (!shown->IsCellEditControlShown() && waiting.Time() < 1000) yield();
  const wxRect cell = shown->CellToRect(row, col);
  const wxPoint edge = shown->ClientToScreen(wxPoint(cell.x + cell.width / 2, cell.y));
  std::string seen = "no tint";
  while (waiting.Time() < 3000) {
    yield();
    wxImage image;
    if (!CaptureScreen(wxRect(edge, wxSize(1, 1)), image, seen)) return seen;
    const wxColour colour(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
    const int tint = colour.Blue() - colour.Red();
    if (tint >= 165) return "ring";
    if (tint >= 30) return colour.GetAsString().ToStdString();
  }
  return seen;
}

// The button of a command on the tool bar.
wxWindow* ToolButton(const CToolBar& bar, UINT command) {
  return PeerWindow(bar.m_hWnd)->FindWindow(WxCommandId(command));
}

// Counts the events of one type that a window gets from now on; the count is shared
// with the handler, which lives as long as the window.
template <class Event>
std::shared_ptr<int> Count(wxWindow* window, const wxEventTypeTag<Event>& type,
                           std::shared_ptr<int> count = std::make_shared<int>(0)) {
  window->Bind(type, [count](Event& event) {
    ++*count;
    event.Skip();
  });
  return count;
}

class MainWindowScreenTest : public ScreenTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Create(nullptr, "Component Editor", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                             CRect(0, 0, 960, 680)));
    AfxGetThread()->m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOW);
  }
  void TearDown() override {
    frame.DestroyWindow();
    AfxGetThread()->m_pMainWnd = nullptr;
  }

  PinsFrame* OpenChild(const char* title) {
    CCreateContext context;
    context.m_pCurrentDoc = &documents.emplace_back();
    context.m_pCurrentDoc->SetTitle(title);
    return static_cast<PinsFrame*>(CreateMDIChild(RUNTIME_CLASS(PinsFrame), &frame, context));
  }
  wxFrame& Shown() { return *static_cast<wxFrame*>(PeerWindow(frame.m_hWnd)); }
  wxStatusBar& StatusShown() { return *dynamic_cast<wxStatusBar*>(PeerWindow(frame.statusBar.m_hWnd)); }
  bool IsShown(CWnd* window) { return PeerWindow(window->m_hWnd)->IsShown(); }

  std::deque<CDocument> documents;
  MainFrame frame;
};

TEST_F(MainWindowScreenTest, MenusToolsAndShortcutsRunTheFramesCommands) {
  ASSERT_NE(OpenChild("opamp.cmp"), nullptr);
  script.Then([&] {
    wxMenuBar& menus = *Shown().GetMenuBar();
    for (size_t i = 0; i < menus.GetMenuCount(); ++i) Saw("menu ", menus.GetMenuLabelText(i));
    const std::unique_ptr<wxAcceleratorEntry> zoomKey(menus.FindItem(WxCommandId(kZoomIn))->GetAccel());
    Saw("zoom key ", zoomKey ? zoomKey->ToString() : wxString("none"));
    frame.SetMessageText("Pick a terminal");
    ClickAt(sim, CentreOf(&frame.statusBar));
  });
  script.Then([&] { sim.Char('e', wxMOD_ALT); });
  script.Then([&] {
    Saw("paste on ", frame.GetMenu()->FindCommand(kPaste)->enabled, ", shown ",
        Shown().GetMenuBar()->FindItem(WxCommandId(kPaste))->IsEnabled());
    sim.Char(WXK_ESCAPE);
  });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char('s', wxMOD_CONTROL); });
  script.Then([&] { sim.Char('k'); });
  script.Then([&] {
    Saw("zooms after K ", frame.zooms);
    sim.Char(WXK_NUMPAD_ADD);
  });
  script.Then([&] { sim.Char('=', wxMOD_CONTROL); });
  script.Then([&] {
    Saw("New shown on ", ToolButton(frame.toolBar, kNew)->IsEnabled());
    ClickAt(sim, CentreOf(ToolButton(frame.toolBar, kZoomIn)));
  });
  script.Then([&] { ClickAt(sim, CentreOf(ToolButton(frame.toolBar, kAssignPins))); });
  script.Then([&] {
    Saw("status '", StatusShown().GetStatusText(0), "' '", StatusShown().GetStatusText(1), "'");
    Screenshot(&frame, "main-window.png");
    frame.zoomText.clear();
  });
  script.Then([&] { Saw("zoom pane '", StatusShown().GetStatusText(1), "'"); });
  script.Run();
  Saw("saves ", frame.saves, ", zooms ", frame.zooms, ", assigning ", frame.assigning, ", Pins checked ",
      frame.toolBar.GetButton(frame.toolBar.CommandToIndex(kAssignPins))->checked);
  Saw(Shown().GetTitle());

  EXPECT_EQ(seen,
            "menu File\nmenu Edit\nmenu View\n"
            "zoom key Ctrl+=\n"      // the toolkit reads the menu's shortcut as the frame's
            "paste on 0, shown 0\n"  // nothing handles Paste: opening the menu turns it off
            "zooms after K 0\n"      // K shares its code with the keypad's +, yet runs nothing
            "New shown on 0\n"       // idle time turns off the button nobody handles
            "status 'Pick a terminal' 'Zoom 100%'\n"
            "zoom pane ''\n"  // idle time empties the pane as its handler says
            "saves 1, zooms 3, assigning 1, Pins checked 1\n"  // Ctrl+S; keypad +, Ctrl+= and Zoom
            "Component Editor - opamp.cmp\n");
}

TEST_F(MainWindowScreenTest, ClicksInTheDrawingAndEditsInTheGridReachThePlatform) {
  PinsFrame* child = OpenChild("nand.cmp");
  ASSERT_NE(child, nullptr);
  SketchView& sketch = child->Sketch();
  CRect pane;
  script.Then([&] {
    Saw("block ", RedOrColourAt(ScreenPointIn(&sketch, SketchView::kRedBlock + CSize(20, 15))));
    Screenshot(&frame, "main-window-child.png");
    ClickAt(sim, ScreenPointIn(&sketch, CPoint(120, 90)));
  });
  // A right click opens the view's menu at the cursor; the keyboard picks its second item.
  script.Then([&] { ClickAt(sim, ScreenPointIn(&sketch, CPoint(150, 100)), wxMOUSE_BTN_RIGHT); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] { sim.Char(WXK_RETURN); });
  script.Then([&] { ClickAt(sim, CellPoint(child->Grid().grid, 2, 2)); });
  // The first key opens the cell's editor, its focus ring shown with the key.
  script.Then([&] {
    sim.Text("C");
    Saw("edge of the edited cell ", EdgeOfEditedCell(child->Grid().grid, 2, 2));
  });
  script.Then([&] { sim.Text("LK"); });
  script.Then([&] { sim.Char(WXK_RETURN); });
  script.Then([&] {
    child->Grid().GetWindowRect(&pane);
    const wxPoint bar = ScreenPointIn(&child->splitter, CPoint(300, pane.bottom + 2));
    DragFromTo(sim, bar, bar + wxPoint(0, 60));
  });
  script.Then([&] { Screenshot(&frame, "main-window-edited.png"); });
  script.Run();
  if (!sketch.presses.empty()) Saw("press ", sketch.presses.front().x, ",", sketch.presses.front().y);
  Saw("chosen ", sketch.chosen == kDeletePin ? "Delete Pin" : std::to_string(sketch.chosen));
  Saw("cell ", child->Grid().grid.GetTextMatrix(2, 2).str());
  for (const std::string& event : child->Grid().events) Saw("grid's parent: ", event);
  const int before = pane.Height();
  child->Grid().GetWindowRect(&pane);
  Saw("grid pane grew ", pane.Height() - before);

  EXPECT_EQ(seen,
            "block red\n"  // the view painted its red block where it drew it
            "edge of the edited cell ring\n"
            "press 120,90\n"  // where the mouse was
            "chosen Delete Pin\ncell CLK\n"
            "grid's parent: start\ngrid's parent: change CLK\ngrid's parent: stop\n"
            "grid pane grew 60\n");  // the dragged bar
}

TEST_F(MainWindowScreenTest, TabsShowOneChildAtATimeAndSwitchBetweenThem) {
  PinsFrame* first = OpenChild("first.cmp");
  PinsFrame* second = OpenChild("second.cmp");
  ASSERT_TRUE(first != nullptr && second != nullptr);
  script.Then([&] {
    Saw("shown ", IsShown(first), IsShown(second));
    // The first tab starts at the left of the bar.
    ClickAt(sim, ScreenPointIn(frame.GetMDITabBar(), CPoint(30, CMDITabBar::kHeight / 2)));
  });
  script.Then([&] {
    Saw("shown ", IsShown(first), IsShown(second), ", first active ", frame.MDIGetActive() == first);
    Screenshot(&frame, "main-window-tabs.png");
  });
  script.Run();

  // The child opened last is active and alone on show, until a click on the first tab.
  EXPECT_EQ(seen, "shown 01\nshown 10, first active 1\n");
  EXPECT_EQ(frame.GetMDITabBar()->GetTabText(1), "second.cmp");
}

// Every repaint of a view draws the windows around it again; those that only hold
// others must not make an erase of their own each time (a device context and the
// theme's font and colours looked up, for nothing on the screen). A prompt changes with
// every click of an assignment: its text is painted with the rest of the frame, not at
// once with a wait for the X server each time.
TEST_F(MainWindowScreenTest, ARepaintErasesNoWindowAroundTheViewAndStatusTextsWaitForIt) {
  PinsFrame* child = OpenChild("nand.cmp");
  ASSERT_NE(child, nullptr);
  SketchView& sketch = child->Sketch();
  auto erases = std::make_shared<int>(0);
  std::shared_ptr<int> paints;
  script.Then([&] {
    int around = 0;
    for (wxWindow* window = PeerWindow(sketch.m_hWnd)->GetParent(); window != nullptr;
         window = window->GetParent(), ++around)
      Count(window, wxEVT_ERASE_BACKGROUND, erases);
    Saw("windows around: splitter, frame, main window ", around >= 3);
    paints = Count(&StatusShown(), wxEVT_PAINT);
    sketch.draws = 0;
    sketch.Invalidate();
    frame.SetMessageText("Click a pad");
    frame.SetMessageText("Click a terminal");
    Saw("status paints at once ", *paints);
  });
  script.Then([&] { Saw("status '", StatusShown().GetStatusText(0), "'"); });
  script.Run();
  Saw("view drawn ", sketch.draws > 0, ", erases ", *erases, ", status painted ", *paints > 0);

  EXPECT_EQ(seen,
            "windows around: splitter, frame, main window 1\nstatus paints at once 0\n"
            "status 'Click a terminal'\nview drawn 1, erases 0, status painted 1\n");
}

}  // namespace
