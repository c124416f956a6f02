#include "platform/dialog.h"

#include "platform/backend.h"
#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/win_thread.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

const MessageMap CDialog::kMessageMap{&CWnd::kMessageMap,
                                      {
                                          CommandEntry(IDOK, &CDialog::OnOK),
                                          CommandEntry(IDCANCEL, &CDialog::OnCancel),
                                      }};

namespace {

// a * b / c rounded half away from zero, as the system's MulDiv.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

bool IsDialogContainer(HWND hwnd) {
  return hwnd->className == kClassDialog && (hwnd->style & WS_CHILD) != 0 && (hwnd->style & DS_CONTROL) != 0;
}

// The controls that take part in tabbing, in tab order: children in z order, and the
// controls of child dialogs (property pages) in their place.
void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
  for (const auto& child : parent->children) {
    HWND hwnd = child.get();
    if (hwnd->destroying || (hwnd->style & WS_VISIBLE) == 0 || (hwnd->style & WS_DISABLED) != 0) continue;
    if (IsDialogContainer(hwnd)) {
      CollectTabStops(hwnd, stops);
    } else if ((hwnd->style & WS_TABSTOP) != 0) {
      stops.push_back(hwnd);
    }
  }
}

// Focus as tabbing gives it: an edit's (or a combo's edit part's) whole text is selected.
void FocusAndSelect(HWND hwnd) {
  CWnd::FromHandle(hwnd)->SetFocus();
  if (!IsWindowHandle(hwnd)) return;
  if (IsWindowOfClass(hwnd, kClassEdit)) {
    SendMessage(hwnd, EM_SETSEL, 0, -1);
  } else if (IsWindowOfClass(hwnd, kClassComboBox) && (hwnd->style & CBS_TYPEMASK) != CBS_DROPDOWNLIST) {
    SendMessage(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (IsWindowHandle(m_hWnd)) DestroyWindowHandle(m_hWnd);
}

CSize CDialog::DialogBaseUnits(const DialogTemplate& dialogTemplate) {
  const int points = dialogTemplate.fontSize > 0 ? dialogTemplate.fontSize : 8;
  return {MulDiv(6, points, 8), MulDiv(13, points, 8)};
}

CRect CDialog::MapDialogRect(const CRect& du) const {
  return {MulDiv(du.left, m_baseUnits.cx, 4), MulDiv(du.top, m_baseUnits.cy, 8),
          MulDiv(du.right, m_baseUnits.cx, 4), MulDiv(du.bottom, m_baseUnits.cy, 8)};
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate& dialogTemplate, CWnd* parent, bool child) {
  if (m_hWnd != nullptr) return FALSE;
  RegisterControlClasses();
  m_baseUnits = DialogBaseUnits(dialogTemplate);
  const CRect rect =
      MapDialogRect(CRect(dialogTemplate.x, dialogTemplate.y, dialogTemplate.x + dialogTemplate.cx,
                          dialogTemplate.y + dialogTemplate.cy));
  DWORD style = dialogTemplate.style & ~WS_VISIBLE;  // shown once initialised
  style = child ? ((style & ~WS_POPUP) | WS_CHILD) : ((style & ~WS_CHILD) | WS_POPUP);
  if (!CreateEx(0, kClassDialog, dialogTemplate.caption.c_str(), style, rect, parent, 0)) return FALSE;
  for (const ControlTemplate& control : dialogTemplate.controls) {
    CREATESTRUCT cs;
    cs.className = control.className;
    cs.name = control.text;
    cs.style = control.style | WS_CHILD;
    cs.exStyle = control.exStyle;
    cs.rect = MapDialogRect(CRect(control.x, control.y, control.x + control.cx, control.y + control.cy));
    cs.parent = m_hWnd;
    cs.id = control.id;
    if (CreateWindowHandle(cs, nullptr) == nullptr) {
      DestroyWindow();
      return FALSE;
    }
  }
  return TRUE;
}

BOOL CDialog::CreateModalWindow(CWnd* owner) {
  const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
  if (dialogTemplate == nullptr) return FALSE;
  return CreateFromTemplate(*dialogTemplate, owner, false);
}

void CDialog::InitDialog() {
  HWND self = m_hWnd;
  const LRESULT focusDefault = ::SendMessage(self, WM_INITDIALOG, 0, 0);
  if (focusDefault == FALSE || !IsWindowHandle(self)) return;
  std::vector<HWND> stops;
  CollectTabStops(self, stops);
  if (!stops.empty()) FocusAndSelect(stops.front());
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd != nullptr) return -1;
  CWnd* owner = m_pParentWnd;
  if (owner == nullptr) owner = AfxGetThread()->GetMainWnd();
  if (owner != nullptr && !IsWindowHandle(owner->m_hWnd)) owner = nullptr;
  const HWND previousFocus = CWnd::GetFocusHandle();

  m_modalResult = -1;
  m_modalActive = true;
  if (!CreateModalWindow(owner)) {
    m_modalActive = false;
    return -1;
  }
  // Whatever happens (a responder that throws included), the window goes with DoModal.
  struct WindowGuard {
    CDialog& dialog;
    ~WindowGuard() {
      dialog.m_modalActive = false;
      if (IsWindowHandle(dialog.m_hWnd)) dialog.DestroyWindow();
    }
  } guard{*this};

  InitDialog();
  int result = m_modalResult;
  if (m_modalActive && IsWindowHandle(m_hWnd)) {
    ShowWindow(SW_SHOW);
    result = CurrentBackend().RunModalLoop(*this);
  }
  m_modalActive = false;
  if (IsWindowHandle(m_hWnd)) DestroyWindow();
  if (IsWindowHandle(previousFocus)) CWnd::FromHandle(previousFocus)->SetFocus();
  return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_templateId = templateId;
  m_pParentWnd = parent;
  const DialogTemplate* dialogTemplate = Resources::FindDialog(templateId);
  if (dialogTemplate == nullptr) return FALSE;
  const bool child = (dialogTemplate->style & WS_CHILD) != 0 && parent != nullptr;
  if (!CreateFromTemplate(*dialogTemplate, parent, child)) return FALSE;
  InitDialog();
  if (IsWindowHandle(m_hWnd) && (dialogTemplate->style & WS_VISIBLE) != 0) ShowWindow(SW_SHOW);
  return IsWindowHandle(m_hWnd) ? TRUE : FALSE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
  m_modalResult = result;
  m_modalActive = false;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const DataExchangeFailure&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::NextDlgCtrl() {
  if (m_hWnd == nullptr) return;
  std::vector<HWND> stops;
  CollectTabStops(m_hWnd, stops);
  if (stops.empty()) return;
  const HWND focus = CWnd::GetFocusHandle();
  size_t next = 0;
  for (size_t i = 0; i < stops.size(); ++i) {
    if (stops[i] == focus) next = (i + 1) % stops.size();
  }
  FocusAndSelect(stops[next]);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control != nullptr && IsWindowHandle(control->m_hWnd)) FocusAndSelect(control->m_hWnd);
}

BOOL CDialog::OnCmdMsg(UINT id, int code, LPARAM extra) {
  return CWnd::OnCmdMsg(id, code, extra);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG || message == WM_CLOSE) {
    LRESULT result = 0;
    if (DispatchMessage(message, wParam, lParam, result)) return result;
    if (message == WM_INITDIALOG) return OnInitDialog();
    // Closing a dialog is pressing Cancel, as the dialog manager does.
    return ::SendMessage(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
