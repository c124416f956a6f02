#include "platform/property_sheet.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/tab_control.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

const MessageMap CPropertySheet::kMessageMap{&CDialog::kMessageMap,
                                             {
                                                 CommandEntry(ID_APPLY_NOW, &CPropertySheet::OnApplyNow),
                                             }};

namespace {

// Layout of the sheet, in dialog units.
constexpr int kMargin = 7;
constexpr int kTabHeader = 14;  // the row of tabs above the pages
constexpr int kTabInset = 3;    // the tab strip's border around the page area
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kDefaultPageWidth = 212;  // when no page has a template
constexpr int kDefaultPageHeight = 114;
// A tab's width in dialog units, estimated from its caption: the sheet is made wide
// enough for one row of tabs, so that no page hides behind the strip's scroll arrows.
constexpr int kTabCharWidth = 5;
constexpr int kTabPadding = 26;

int TabRowWidth(const std::vector<CPropertyPage*>& pages) {
  int width = 0;
  for (const CPropertyPage* page : pages) {
    width += static_cast<int>(page->GetCaption().GetLength()) * kTabCharWidth + kTabPadding;
  }
  return width;
}

ControlTemplate SheetControl(int id, const char* className, DWORD style, const char* text, int x, int y,
                             int cx, int cy) {
  ControlTemplate control;
  control.id = id;
  control.className = className;
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.text = text;
  control.x = x;
  control.y = y;
  control.cx = cx;
  control.cy = cy;
  return control;
}

}  // namespace

// ---------------------------------------------------------------------------------
// CPropertyPage

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), m_captionId(captionId) {}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::SetModified(BOOL changed) {
  m_modified = changed != FALSE;
  if (m_sheet != nullptr && IsWindowHandle(m_sheet->m_hWnd)) m_sheet->UpdateApplyButton();
}

CString CPropertyPage::GetCaption() const {
  CString caption;
  if (m_captionId != 0 && caption.LoadString(m_captionId)) return caption;
  const DialogTemplate* dialogTemplate = Resources::FindDialog(m_templateId);
  return dialogTemplate != nullptr ? CString(dialogTemplate->caption) : CString();
}

BOOL CPropertyPage::OnSetActive() {
  if (m_firstSetActive) {
    m_firstSetActive = false;
  } else {
    UpdateData(FALSE);
  }
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
  return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
  OnOK();
  m_modified = false;
  return TRUE;
}

void CPropertyPage::OnReset() {
  OnCancel();
}

BOOL CPropertyPage::OnQueryCancel() {
  return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::CreatePage(CPropertySheet& sheet, const CRect& area) {
  const DialogTemplate* found = Resources::FindDialog(m_templateId);
  if (found == nullptr) return FALSE;
  DialogTemplate page = *found;
  page.style =
      (page.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE)) |
      WS_CHILD | DS_CONTROL;
  page.x = 0;
  page.y = 0;
  if (!CreateFromTemplate(page, &sheet, true)) return FALSE;
  m_pParentWnd = &sheet;
  m_firstSetActive = true;
  MoveWindow(area, FALSE);
  HWND self = m_hWnd;
  ::SendMessage(self, WM_INITDIALOG, 0, 0);
  return IsWindowHandle(self) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------------
// CPropertySheet

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_startPage(static_cast<int>(selectPage)) {
  m_caption.LoadString(captionId);
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_caption(caption), m_startPage(static_cast<int>(selectPage)) {}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr || GetPageIndex(page) >= 0) return;
  page->m_sheet = this;
  m_pages.push_back(page);
  if (IsWindowHandle(m_hWnd)) UpdateTabs();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  const auto it = std::find(m_pages.begin(), m_pages.end(), page);
  return it != m_pages.end() ? static_cast<int>(it - m_pages.begin()) : -1;
}

BOOL CPropertySheet::SetActivePage(int index) {
  if (!IsWindowHandle(m_hWnd)) {
    m_startPage = index;
    return TRUE;
  }
  return ActivatePage(index, true);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
  const int index = GetPageIndex(page);
  return index >= 0 ? SetActivePage(index) : FALSE;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const {
  return IsWindowHandle(m_hWnd) ? m_active : m_startPage;
}

void CPropertySheet::SetTitle(const char* title) {
  m_caption = title;
  if (IsWindowHandle(m_hWnd)) SetWindowText(title);
}

CWnd* CPropertySheet::GetTabControl() const {
  return GetDlgItem(static_cast<int>(AFX_IDC_TAB_CONTROL));
}

BOOL CPropertySheet::CreateModalWindow(CWnd* owner) {
  // The page area is as large as the largest page; the pages' font sets the units.
  int pageWidth = 0;
  int pageHeight = 0;
  DialogTemplate sheet;
  sheet.fontName = "MS Sans Serif";
  sheet.fontSize = 8;
  bool fontTaken = false;
  for (const CPropertyPage* page : m_pages) {
    const DialogTemplate* pageTemplate = Resources::FindDialog(page->GetTemplateId());
    if (pageTemplate == nullptr) continue;
    pageWidth = std::max(pageWidth, pageTemplate->cx);
    pageHeight = std::max(pageHeight, pageTemplate->cy);
    if (!fontTaken && pageTemplate->fontSize > 0) {
      sheet.fontName = pageTemplate->fontName;
      sheet.fontSize = pageTemplate->fontSize;
      fontTaken = true;
    }
  }
  if (pageWidth == 0 || pageHeight == 0) {
    pageWidth = kDefaultPageWidth;
    pageHeight = kDefaultPageHeight;
  }
  pageWidth = std::max(pageWidth, TabRowWidth(m_pages) - 2 * kTabInset);
  const int tabWidth = pageWidth + 2 * kTabInset;
  const int tabHeight = kTabHeader + pageHeight + 2 * kTabInset;
  const int buttonsY = kMargin + tabHeight + kMargin;
  const int applyX = kMargin + tabWidth - kButtonWidth;
  const int cancelX = applyX - kButtonGap - kButtonWidth;
  const int okX = cancelX - kButtonGap - kButtonWidth;

  sheet.id = 0;
  sheet.caption = m_caption.str();
  sheet.cx = tabWidth + 2 * kMargin;
  sheet.cy = buttonsY + kButtonHeight + kMargin;
  sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  sheet.controls = {
      SheetControl(static_cast<int>(AFX_IDC_TAB_CONTROL), kClassTabControl, 0, "", kMargin, kMargin, tabWidth,
                   tabHeight),
      SheetControl(IDOK, kClassButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", okX, buttonsY, kButtonWidth,
                   kButtonHeight),
      SheetControl(IDCANCEL, kClassButton, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", cancelX, buttonsY,
                   kButtonWidth, kButtonHeight),
      SheetControl(static_cast<int>(ID_APPLY_NOW), kClassButton, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED,
                   "&Apply", applyX, buttonsY, kButtonWidth, kButtonHeight),
  };
  m_active = -1;
  if (!CreateFromTemplate(sheet, owner, false)) return FALSE;
  const int pageX = kMargin + kTabInset;
  const int pageY = kMargin + kTabHeader + kTabInset;
  m_pageArea = MapDialogRect(CRect(pageX, pageY, pageX + pageWidth, pageY + pageHeight));
  return TRUE;
}

void CPropertySheet::UpdateTabs() {
  CWnd* tab = GetTabControl();
  TabControlData* data = tab != nullptr ? GetTabControlData(tab->m_hWnd) : nullptr;
  if (data == nullptr) return;
  data->tabs.clear();
  for (const CPropertyPage* page : m_pages) data->tabs.push_back(page->GetCaption());
  data->current = m_active;
  NotifyPeer(tab->m_hWnd, WindowChange::Content);
}

void CPropertySheet::UpdateApplyButton() {
  bool modified = false;
  for (const CPropertyPage* page : m_pages)
    modified = modified || (page->m_modified && IsWindowHandle(page->m_hWnd));
  if (CWnd* apply = GetDlgItem(static_cast<int>(ID_APPLY_NOW))) apply->EnableWindow(modified ? TRUE : FALSE);
}

BOOL CPropertySheet::OnInitDialog() {
  UpdateTabs();
  int start = m_startPage;
  if (start < 0 || start >= GetPageCount()) start = 0;
  if (GetPageCount() > 0) ActivatePage(start, false);
  UpdateApplyButton();
  // The focus goes into the page, as the sheet does, or to OK when the page has no stop.
  CPropertyPage* page = GetActivePage();
  CWnd* first = nullptr;
  if (page != nullptr && IsWindowHandle(page->m_hWnd)) {
    for (CWnd* child : page->GetChildren()) {
      const DWORD style = child->GetStyle();
      if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
        first = child;
        break;
      }
    }
  }
  GotoDlgCtrl(first != nullptr ? first : GetDlgItem(IDOK));
  return FALSE;
}

BOOL CPropertySheet::ActivatePage(int index, bool askActivePage) {
  CPropertyPage* page = GetPage(index);
  if (page == nullptr) return FALSE;
  if (index == m_active) return TRUE;
  CPropertyPage* previous = GetPage(m_active);
  if (askActivePage && previous != nullptr && IsWindowHandle(previous->m_hWnd) && !previous->OnKillActive()) {
    return FALSE;
  }
  if (!IsWindowHandle(page->m_hWnd) && !page->CreatePage(*this, m_pageArea)) return FALSE;
  m_active = index;
  page->OnSetActive();
  if (previous != nullptr && IsWindowHandle(previous->m_hWnd)) {
    previous->ShowWindow(SW_HIDE);
    previous->EnableWindow(FALSE);
  }
  if (IsWindowHandle(page->m_hWnd)) {
    page->EnableWindow(TRUE);
    page->ShowWindow(SW_SHOW);
  }
  UpdateTabs();
  UpdateApplyButton();
  return TRUE;
}

bool CPropertySheet::ApplyPages() {
  CPropertyPage* active = GetPage(m_active);
  if (active != nullptr && IsWindowHandle(active->m_hWnd) && !active->OnKillActive()) return false;
  for (int index = 0; index < GetPageCount(); ++index) {
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    if (!IsWindowHandle(page->m_hWnd)) continue;  // never shown: nothing to apply
    if (!page->OnApply()) {
      ActivatePage(index, false);
      return false;
    }
  }
  for (CPropertyPage* page : m_pages) page->m_modified = false;
  UpdateApplyButton();
  return true;
}

void CPropertySheet::OnOK() {
  if (ApplyPages()) EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
  CPropertyPage* active = GetPage(m_active);
  if (active != nullptr && IsWindowHandle(active->m_hWnd) && !active->OnQueryCancel()) return;
  for (CPropertyPage* page : m_pages) {
    if (IsWindowHandle(page->m_hWnd)) page->OnReset();
  }
  EndDialog(IDCANCEL);
}

void CPropertySheet::OnApplyNow() {
  ApplyPages();
}
