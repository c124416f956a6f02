// CPropertySheet and CPropertyPage: a modal dialog with a tab strip over pages, and
// OK, Cancel and Apply buttons.
//
// The sheet is a CDialog with template id 0 (so the headless backend expects it as
// dialog 0): its window is built in code, sized to the largest page, with a tab strip
// (class "SysTabControl32", id AFX_IDC_TAB_CONTROL) whose TabControlData holds the page
// captions and the current tab, and the buttons IDOK, IDCANCEL and ID_APPLY_NOW.
//
// Pages are not owned. A page's window is created from its template, as a child of the
// sheet, the first time the page is shown (then its OnInitDialog runs); a page never
// shown is never created, never asked and never applied.
//
// OK: the active page's OnKillActive (UpdateData(TRUE)), then OnApply of every created
// page in order; a refusal (FALSE) keeps the sheet open on that page, otherwise the sheet
// ends with IDOK. Apply (enabled only while a page is modified) does the same and stays
// open. Cancel: the active page's OnQueryCancel, then OnReset (which calls OnCancel) of
// every created page, and the sheet ends with IDCANCEL.
#pragma once

#include <vector>

#include "platform/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  // captionId 0: the caption is the template's.
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);
  ~CPropertyPage() override;

  // Marks the page changed or not; the sheet's Apply button follows.
  void SetModified(BOOL changed = TRUE);
  BOOL IsModified() const { return m_modified ? TRUE : FALSE; }
  // The tab's text: the caption string, or the template's caption.
  CString GetCaption() const;

  // Base: the first activation does nothing more (OnInitDialog has just exchanged the
  // data); later ones exchange the data to the controls. TRUE.
  virtual BOOL OnSetActive();
  // Base: UpdateData(TRUE); FALSE keeps the page active.
  virtual BOOL OnKillActive();
  // Base: OnOK(), clears the modified flag, TRUE. FALSE keeps the sheet open here.
  virtual BOOL OnApply();
  // Base: OnCancel().
  virtual void OnReset();
  // Base: TRUE. FALSE keeps the sheet open when the user cancels.
  virtual BOOL OnQueryCancel();
  // A page ends nothing: the base versions do nothing.
  void OnOK() override;
  void OnCancel() override;

 private:
  friend class CPropertySheet;
  BOOL CreatePage(CPropertySheet& sheet, const CRect& area);

  UINT m_captionId;
  CPropertySheet* m_sheet = nullptr;  // not owned
  bool m_modified = false;
  bool m_firstSetActive = true;
};

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;

  // Before the sheet is shown: the page it opens at (an index out of range opens the
  // first page). While shown: leaves the active page (its OnKillActive may refuse),
  // creates the new page's window the first time, and shows it.
  BOOL SetActivePage(int index);
  BOOL SetActivePage(CPropertyPage* page);
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;

  void SetTitle(const char* title);
  CWnd* GetTabControl() const;

  // Builds the tabs and activates the start page; returns FALSE, having put the focus
  // on the page's first tab stop.
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnApplyNow();

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  BOOL CreateModalWindow(CWnd* owner) override;

 private:
  friend class CPropertyPage;
  // The active page's OnKillActive, then OnApply of the created pages in order.
  bool ApplyPages();
  BOOL ActivatePage(int index, bool askActivePage);
  void UpdateApplyButton();
  void UpdateTabs();

  std::vector<CPropertyPage*> m_pages;  // not owned
  CString m_caption;
  int m_startPage;
  int m_active = -1;
  CRect m_pageArea;  // in pixels, in the sheet's client area
};
