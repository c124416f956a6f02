#include "gui/wx_backend.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "gui/peer_factory.h"
#include "gui/wx_peer.h"
#include "platform/constants.h"
#include "platform/cwnd.h"
#include "platform/dialog.h"
#include "platform/win_thread.h"

namespace {

// Logging goes to stderr; a blocking popup would stall a modal loop or a test.
class StderrLogTarget {
 public:
  StderrLogTarget() : m_previous(wxLog::SetActiveTarget(new wxLogStderr)) {}
  ~StderrLogTarget() { delete wxLog::SetActiveTarget(m_previous); }

 private:
  wxLog* m_previous;
};

long IconStyle(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONERROR:
      return wxICON_ERROR;
    case MB_ICONQUESTION:
      return wxICON_QUESTION;
    case MB_ICONWARNING:
      return wxICON_WARNING;
    default:
      return (type & MB_TYPEMASK) == MB_YESNO ? wxICON_QUESTION : wxICON_INFORMATION;
  }
}

long ButtonStyle(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_YESNO:
      return wxYES_NO;
    case MB_YESNOCANCEL:
      return wxYES_NO | wxCANCEL;
    case MB_OKCANCEL:
      return wxOK | wxCANCEL;
    default:
      return wxOK;
  }
}

int ToAnswer(int wxAnswer) {
  switch (wxAnswer) {
    case wxID_YES:
      return IDYES;
    case wxID_NO:
      return IDNO;
    case wxID_CANCEL:
      return IDCANCEL;
    default:
      return IDOK;
  }
}

std::unique_ptr<StderrLogTarget>& LogTarget() {
  static std::unique_ptr<StderrLogTarget> target;
  return target;
}

}  // namespace

WxBackend::WxBackend() {
  LogTarget() = std::make_unique<StderrLogTarget>();
  if (wxTheApp != nullptr) wxTheApp->Bind(wxEVT_IDLE, &WxBackend::OnIdle, this);
}

WxBackend::~WxBackend() {
  if (wxTheApp != nullptr) wxTheApp->Unbind(wxEVT_IDLE, &WxBackend::OnIdle, this);
  LogTarget().reset();
}

// Messages the platform posted are delivered once the screen has nothing else to do.
void WxBackend::OnIdle(wxIdleEvent& event) {
  event.Skip();
  AfxGetThread()->PumpMessages();
}

std::unique_ptr<WindowPeer> WxBackend::CreatePeer(HWND hwnd) {
  return MakePeerTree(hwnd);
}

int WxBackend::RunModalLoop(CDialog& dialog) {
  auto* window = dynamic_cast<wxDialog*>(PeerWindow(dialog.m_hWnd));
  if (window == nullptr) {
    dialog.EndDialog(IDCANCEL);
    return dialog.GetModalResult();
  }
  // The platform decides when the dialog ends; the loop follows it.
  wxTimer watch;
  watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    AfxGetThread()->PumpMessages();
    if (!dialog.IsModalActive() && window->IsModal()) window->EndModal(dialog.GetModalResult());
  });
  watch.Start(20);
  window->ShowModal();
  watch.Stop();
  return dialog.GetModalResult();
}

int WxBackend::ShowMessageBox(const CString& text, const CString& caption, UINT type) {
  wxMessageDialog box(wxGetActiveWindow(), ToWx(text), ToWx(caption), ButtonStyle(type) | IconStyle(type));
  return ToAnswer(box.ShowModal());
}

UINT WxBackend::TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screenPoint, HWND owner) {
  wxWindow* window = PeerWindow(owner);
  if (window == nullptr || items.empty()) return 0;
  wxMenu menu;
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu.AppendSeparator();
      continue;
    }
    menu.Append(WxCommandId(item.id), ToWx(item.text))->Enable(item.enabled);
  }
  // The point is in the platform's screen coordinates, which only the platform can
  // turn back into the owner's own.
  CPoint at = screenPoint;
  CWnd::FromHandle(owner)->ScreenToClient(&at);
  const int chosen = window->GetPopupMenuSelectionFromUser(menu, wxPoint(at.x, at.y));
  return chosen == wxID_NONE ? 0 : CommandOfWxId(chosen);
}

void WxBackend::SetWaitCursor(bool on) {
  if (on) {
    wxBeginBusyCursor();
  } else if (wxIsBusy()) {
    wxEndBusyCursor();
  }
}

void WxBackend::ShowTextFile(const CString& path, const CString& title) {
  wxString content;
  wxFFile file(ToWx(path), "r");
  if (!file.IsOpened() || !file.ReadAll(&content)) content = "The file " + ToWx(path) + " cannot be read.";
  wxDialog viewer(wxGetActiveWindow(), wxID_ANY, ToWx(title), wxDefaultPosition, wxSize(560, 400),
                  wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxTextCtrl(&viewer, wxID_ANY, content, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | wxHSCROLL),
             1, wxEXPAND | wxALL, 8);
  sizer->Add(viewer.CreateButtonSizer(wxOK), 0, wxEXPAND | wxALL, 8);
  viewer.SetSizer(sizer);
  viewer.ShowModal();
}
