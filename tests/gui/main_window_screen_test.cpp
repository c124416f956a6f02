// The main window on a real (virtual) screen: menu bar, tool bar, status bar and MDI
// tabs built from the platform's state, and an MDI child whose splitter holds a grid
// control above a drawing. Simulated mouse and keyboard input must reach the
// platform exactly as a user's would.
#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

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

const MessageMap MainFrame::kMessageMap{&CMDIFrameWnd::kMessageMap,
                                        {
                                            CommandEntry(kSave, &MainFrame::OnSave),
                                            CommandEntry(kZoomIn, &MainFrame::OnZoomIn),
                                            CommandEntry(kAssignPins, &MainFrame::OnAssignPins),
                                            UpdateCommandUIEntry(kAssignPins, &MainFrame::OnUpdateAssignPins),
                                            UpdateCommandUIEntry(kZoomPane, &MainFrame::OnUpdateZoomPane),
                                        }};

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
    const char* rows[][4] = {{"Gate", "Terminal", "Name", "Pin"},
                             {"A", "1", "IN1", "1"},
                             {"A", "2", "IN2", "2"},
                             {"A", "3", "OUT", "3"},
                             {"B", "1", "IN1", "4"},
                             {"B", "2", "NC", "n/c"}};
    grid.SetCols(4);
    grid.SetRows(6);
    const int widths[] = {60, 80, 140, 70};
    for (long col = 0; col < 4; ++col) grid.SetColWidth(col, widths[col]);
    for (long row = 0; row < 6; ++row) {
      for (long col = 0; col < 4; ++col) {
        grid.SetTextMatrix(row, col, rows[row][col]);
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
    {
        RegisteredMessageEntry(CGridCtrl::GetEditStartMessage(), &PinGridView::OnEditStart),
        RegisteredMessageEntry(CGridCtrl::GetEditChangeMessage(), &PinGridView::OnEditChange),
        RegisteredMessageEntry(CGridCtrl::GetEditStopMessage(), &PinGridView::OnEditStop),
    }};

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
    for (int y : {70, 100, 130}) {
      dc->MoveTo(20, y);
      dc->LineTo(60, y);
    }
    dc->Ellipse(CRect(200, 92, 216, 108));
    dc->MoveTo(216, 100);
    dc->LineTo(260, 100);
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
                                         {
                                             MessageEntry(WM_LBUTTONDOWN, &SketchView::OnLeftDown),
                                             MessageEntry(WM_CONTEXTMENU, &SketchView::OnContextMenu),
                                         }};

// The grid above the drawing, a third of the height to two thirds.
class PinsFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(PinsFrame)

 public:
  CSplitterWnd splitter;

  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    return splitter.CreateStatic(this, 2, 1) &&
           splitter.CreateView(0, 0, RUNTIME_CLASS(PinGridView), CSize(width, height / 3), context) &&
           splitter.CreateView(1, 0, RUNTIME_CLASS(SketchView), CSize(width, 2 * height / 3), context);
  }
  PinGridView& Grid() const { return *static_cast<PinGridView*>(splitter.GetPane(0, 0)); }
  SketchView& Sketch() const { return *static_cast<SketchView*>(splitter.GetPane(1, 0)); }
};

IMPLEMENT_DYNCREATE(PinsFrame, CMDIChildWnd)

class TitledDocument : public CDocument {
 public:
  explicit TitledDocument(const char* title) { SetTitle(title); }
};

// The centre of a grid cell on screen, the grid scrolled to its start.
wxPoint CellPoint(const CGridCtrl& grid, int row, int col) {
  auto* shown = dynamic_cast<wxGrid*>(PeerWindow(grid.m_hWnd));
  int x = 0;
  int y = 0;
  for (int c = 0; c < col; ++c) x += shown->GetColSize(c);
  for (int r = 0; r < row; ++r) y += shown->GetRowSize(r);
  return shown->ClientToScreen(wxPoint(x + shown->GetColSize(col) / 2, y + shown->GetRowSize(row) / 2));
}

// The button of a command on the tool bar.
wxWindow* ToolButton(const CToolBar& bar, UINT command) {
  return PeerWindow(bar.m_hWnd)->FindWindow(WxCommandId(command));
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

  PinsFrame* OpenChild(CDocument& document) {
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    return static_cast<PinsFrame*>(CreateMDIChild(RUNTIME_CLASS(PinsFrame), &frame, context));
  }
  wxFrame& Shown() { return *static_cast<wxFrame*>(PeerWindow(frame.m_hWnd)); }
  void Screenshot(const std::string& name) {
    std::string error;
    EXPECT_TRUE(SaveScreenshot(&Shown(), ArtifactPath(name), error)) << error;
  }

  MainFrame frame;
  wxUIActionSimulator sim;
};

TEST_F(MainWindowScreenTest, MenusToolsAndShortcutsRunTheFramesCommands) {
  TitledDocument document("opamp.cmp");
  ASSERT_NE(OpenChild(document), nullptr);
  Script script;
  wxString menuTitles;
  bool pasteShownEnabled = true;
  bool pasteEnabled = true;
  bool newToolShownEnabled = true;
  wxString statusShown;
  wxString zoomAccelerator;
  int zoomsByLetter = -1;
  wxString zoomPaneBefore;
  wxString zoomPaneAfter = "unread";

  script.Then([&] {
    for (size_t i = 0; i < Shown().GetMenuBar()->GetMenuCount(); ++i)
      menuTitles += Shown().GetMenuBar()->GetMenuLabelText(i) + ";";
    const std::unique_ptr<wxAcceleratorEntry> zoomKey(
        Shown().GetMenuBar()->FindItem(WxCommandId(kZoomIn))->GetAccel());
    if (zoomKey) zoomAccelerator = zoomKey->ToString();
    frame.SetMessageText("Pick a terminal");
    ClickAt(sim, CentreOf(&frame.statusBar));
  });
  // The Edit menu opens: its commands take the state their handlers give.
  script.Then([&] { sim.Char('e', wxMOD_ALT); });
  script.Then([&] {
    pasteShownEnabled = Shown().GetMenuBar()->FindItem(WxCommandId(kPaste))->IsEnabled();
    pasteEnabled = frame.GetMenu()->FindCommand(kPaste)->enabled;
    sim.Char(WXK_ESCAPE);
  });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char('s', wxMOD_CONTROL); });
  // The keypad's + and Ctrl+= zoom; the letter that shares the keypad key's code does not.
  script.Then([&] { sim.Char('k'); });
  script.Then([&] {
    zoomsByLetter = frame.zooms;
    sim.Char(WXK_NUMPAD_ADD);
  });
  script.Then([&] { sim.Char('=', wxMOD_CONTROL); });
  script.Then([&] {
    newToolShownEnabled = ToolButton(frame.toolBar, kNew)->IsEnabled();
    ClickAt(sim, CentreOf(ToolButton(frame.toolBar, kZoomIn)));
  });
  script.Then([&] { ClickAt(sim, CentreOf(ToolButton(frame.toolBar, kAssignPins))); });
  script.Then([&] {
    statusShown = dynamic_cast<wxStatusBar*>(PeerWindow(frame.statusBar.m_hWnd))->GetStatusText(0);
    zoomPaneBefore = dynamic_cast<wxStatusBar*>(PeerWindow(frame.statusBar.m_hWnd))->GetStatusText(1);
    Screenshot("main-window.png");
    frame.zoomText.clear();
  });
  script.Then([&] {
    zoomPaneAfter = dynamic_cast<wxStatusBar*>(PeerWindow(frame.statusBar.m_hWnd))->GetStatusText(1);
  });
  script.Run();

  EXPECT_EQ(menuTitles, "File;Edit;View;");
  EXPECT_FALSE(pasteEnabled) << "nothing handles Paste, so opening the menu turns it off";
  EXPECT_FALSE(pasteShownEnabled) << "and the screen shows it off";
  EXPECT_EQ(frame.saves, 1) << "Ctrl+S is the frame's shortcut for Save";
  EXPECT_FALSE(newToolShownEnabled) << "idle time turns off the button of a command nobody handles";
  EXPECT_EQ(zoomsByLetter, 0) << "K shares its code with the keypad's +, yet runs nothing";
  EXPECT_EQ(frame.zooms, 3) << "keypad +, Ctrl+= and the Zoom button ran the command";
  EXPECT_EQ(zoomAccelerator, "Ctrl+=") << "the toolkit reads the menu's shortcut as the frame's";
  EXPECT_TRUE(frame.assigning) << "the Pins button ran its command";
  EXPECT_TRUE(frame.toolBar.GetButton(frame.toolBar.CommandToIndex(kAssignPins))->checked);
  EXPECT_EQ(statusShown, "Pick a terminal");
  EXPECT_EQ(zoomPaneBefore, "Zoom 100%");
  EXPECT_EQ(zoomPaneAfter, "") << "idle time emptied the pane as its handler said";
  EXPECT_EQ(Shown().GetTitle(), "Component Editor - opamp.cmp");
}

TEST_F(MainWindowScreenTest, ClicksInTheDrawingAndEditsInTheGridReachThePlatform) {
  TitledDocument document("nand.cmp");
  PinsFrame* child = OpenChild(document);
  ASSERT_NE(child, nullptr);
  CGridCtrl& grid = child->Grid().grid;
  SketchView& sketch = child->Sketch();
  Script script;
  wxColour redShown;
  CRect gridPaneBefore;
  CRect gridPaneAfter;

  script.Then([&] {
    redShown = ScreenColourAt(ScreenPointIn(&sketch, SketchView::kRedBlock + CSize(20, 15)));
    Screenshot("main-window-child.png");
    ClickAt(sim, ScreenPointIn(&sketch, CPoint(120, 90)));
  });
  // A right click opens the view's menu at the cursor; the keyboard picks its second item.
  script.Then([&] {
    sim.MouseMove(ScreenPointIn(&sketch, CPoint(150, 100)));
    wxYieldIfNeeded();
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
  });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] { sim.Char(WXK_RETURN); });
  script.Then([&] { ClickAt(sim, CellPoint(grid, 2, 2)); });
  script.Then([&] { sim.Text("CLK"); });
  script.Then([&] { sim.Char(WXK_RETURN); });
  script.Then([&] {
    gridPaneBefore = [&] {
      CRect rect;
      child->Grid().GetWindowRect(&rect);
      return rect;
    }();
    const wxPoint bar = ScreenPointIn(&child->splitter, CPoint(300, gridPaneBefore.bottom + 2));
    DragFromTo(sim, bar, bar + wxPoint(0, 60));
  });
  script.Then([&] {
    child->Grid().GetWindowRect(&gridPaneAfter);
    Screenshot("main-window-edited.png");
  });
  script.Run();

  EXPECT_GT(redShown.Red(), 180) << "the view painted its red block where it drew it";
  EXPECT_LT(redShown.Green(), 60);
  ASSERT_FALSE(sketch.presses.empty());
  EXPECT_EQ(sketch.presses.front(), CPoint(120, 90)) << "the view hears the press where the mouse was";
  EXPECT_EQ(sketch.chosen, kDeletePin) << "the context menu answered with the item chosen";
  EXPECT_EQ(grid.GetTextMatrix(2, 2), "CLK");
  EXPECT_TRUE((std::vector<std::string>{"start", "change CLK", "stop"}) == child->Grid().events)
      << "edit start, change and stop reached the grid's parent";
  EXPECT_EQ(gridPaneAfter.Height(), gridPaneBefore.Height() + 60)
      << "the dragged bar resized the grid's pane";
}

TEST_F(MainWindowScreenTest, TabsShowOneChildAtATimeAndSwitchBetweenThem) {
  TitledDocument first("first.cmp");
  TitledDocument second("second.cmp");
  PinsFrame* firstChild = OpenChild(first);
  PinsFrame* secondChild = OpenChild(second);
  ASSERT_NE(firstChild, nullptr);
  ASSERT_NE(secondChild, nullptr);
  Script script;
  bool secondShownFirst = false;
  bool firstShownAfter = false;
  bool secondShownAfter = true;

  script.Then([&] {
    secondShownFirst =
        PeerWindow(secondChild->m_hWnd)->IsShown() && !PeerWindow(firstChild->m_hWnd)->IsShown();
    // The first tab starts at the left of the bar.
    ClickAt(sim, ScreenPointIn(frame.GetMDITabBar(), CPoint(30, CMDITabBar::kHeight / 2)));
  });
  script.Then([&] {
    firstShownAfter = PeerWindow(firstChild->m_hWnd)->IsShown();
    secondShownAfter = PeerWindow(secondChild->m_hWnd)->IsShown();
    Screenshot("main-window-tabs.png");
  });
  script.Run();

  EXPECT_TRUE(secondShownFirst) << "the child opened last is active and alone on show";
  EXPECT_EQ(frame.MDIGetActive(), firstChild) << "a click on the first tab activates its child";
  EXPECT_TRUE(firstShownAfter);
  EXPECT_FALSE(secondShownAfter);
  EXPECT_EQ(frame.GetMDITabBar()->GetTabText(1), "second.cmp");
}

// Every repaint of a view draws the windows around it again; those that only hold
// others must not make an erase of their own each time (a device context and the
// theme's font and colours looked up, for nothing on the screen).
TEST_F(MainWindowScreenTest, ARepaintedViewErasesNoWindowAroundIt) {
  TitledDocument document("nand.cmp");
  PinsFrame* child = OpenChild(document);
  ASSERT_NE(child, nullptr);
  SketchView& sketch = child->Sketch();
  // Shared with the handlers, which live as long as the widgets.
  auto erases = std::make_shared<int>(0);
  int drawsBefore = 0;
  int around = 0;
  Script script;
  script.Then([&] {
    for (wxWindow* window = PeerWindow(sketch.m_hWnd)->GetParent(); window != nullptr;
         window = window->GetParent()) {
      window->Bind(wxEVT_ERASE_BACKGROUND, [erases](wxEraseEvent& event) {
        ++*erases;
        event.Skip();
      });
      ++around;
    }
    drawsBefore = sketch.draws;
    sketch.Invalidate();
  });
  script.Then([] {});
  script.Run();

  EXPECT_GT(sketch.draws, drawsBefore) << "the view repainted";
  EXPECT_GE(around, 3) << "the view sits in its splitter, its frame and the main window";
  EXPECT_EQ(*erases, 0);
}

// A prompt changes with every click of an assignment: its text is painted with the rest
// of the frame, not at once with a wait for the X server each time.
TEST_F(MainWindowScreenTest, AStatusTextIsPaintedWithTheNextFrameNotAtOnce) {
  TitledDocument document("nand.cmp");
  ASSERT_NE(OpenChild(document), nullptr);
  auto* bar = dynamic_cast<wxStatusBar*>(PeerWindow(frame.statusBar.m_hWnd));
  ASSERT_NE(bar, nullptr);
  // Shared with the handler, which lives as long as the widget.
  auto paints = std::make_shared<int>(0);
  int paintsWhileSetting = -1;
  int paintsBefore = 0;
  wxString shown;
  Script script;
  script.Then([&] {
    bar->Bind(wxEVT_PAINT, [paints](wxPaintEvent& event) {
      ++*paints;
      event.Skip();
    });
    paintsBefore = *paints;
    frame.SetMessageText("Click a pad");
    frame.SetMessageText("Click a terminal");
    paintsWhileSetting = *paints - paintsBefore;
  });
  script.Then([&] { shown = bar->GetStatusText(0); });
  script.Run();

  EXPECT_EQ(paintsWhileSetting, 0);
  EXPECT_GT(*paints, paintsBefore) << "the field was painted afterwards";
  EXPECT_EQ(shown, "Click a terminal");
}

}  // namespace
