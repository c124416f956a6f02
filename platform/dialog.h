// CDialog: a window built from a dialog template, run modally through the backend.
//
// Building: the dialog window (class "#32770", WS_POPUP for a modal dialog, the
// template's caption) and then every template control as a child window in template
// order (which is also the tab order), with the template's id, class, style, text and
// rectangle. Rectangles are mapped from dialog units to pixels with the template font's
// base units (6 x 13 for an 8-point font: x * 6 / 4, y * 13 / 8, rounded as MulDiv
// does, each edge mapped on its own). A window's rectangle is its client area; a combo
// box's rectangle includes its dropped-down list, as in the template.
#pragma once

#include "platform/cwnd.h"
#include "platform/data_exchange.h"
#include "platform/resource_registry.h"

// The window class of dialog windows.
inline constexpr const char* kClassDialog = "#32770";

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Builds the window and its controls from the template, runs OnInitDialog, hands the
  // dialog to the backend's modal loop and destroys the window afterwards. Returns the
  // value given to EndDialog, or -1 when the template is missing or creation failed.
  // A dialog ended within OnInitDialog never reaches the modal loop.
  virtual INT_PTR DoModal();
  // Creates the dialog modelessly (child pages, tests that look at a template) and runs
  // OnInitDialog; the window shows when the template says WS_VISIBLE. A template with
  // WS_CHILD makes a child of `parent`.
  using CWnd::Create;
  BOOL Create(UINT templateId, CWnd* parent = nullptr);

  // Base: UpdateData(FALSE), then TRUE (the focus goes to the first tab stop).
  virtual BOOL OnInitDialog();
  // Base: UpdateData(TRUE), then EndDialog(IDOK) only when the exchange succeeded.
  virtual void OnOK();
  // Base: EndDialog(IDCANCEL).
  virtual void OnCancel();
  // Marks the modal loop finished with this result; the window stays until DoModal
  // destroys it.
  void EndDialog(int result);
  // FALSE when an exchange failed (it has told the user and focused the control).
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  UINT GetTemplateId() const { return m_templateId; }
  bool IsModalActive() const { return m_modalActive; }
  int GetModalResult() const { return m_modalResult; }
  // Dialog units to pixels, as the backend lays out the template.
  CRect MapDialogRect(const CRect& dialogUnits) const;
  // The base units of a template's font: 6 x 13 for 8 points, scaled for other sizes.
  static CSize DialogBaseUnits(const DialogTemplate& dialogTemplate);
  // Moves the focus to the next tab stop (wrapping), or to a control; an edit (or a
  // combo's edit part) then has its whole text selected, as tabbing does.
  void NextDlgCtrl();
  void GotoDlgCtrl(CWnd* control);

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  virtual void DoDataExchange(CDataExchange* dx);
  BOOL OnCmdMsg(UINT id, int code, LPARAM extra) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Creates the window and the template's controls without running the modal loop.
  BOOL CreateFromTemplate(const DialogTemplate& dialogTemplate, CWnd* parent, bool child);
  // Creates the modal window: from the template by default; a property sheet builds
  // its own. False when there is nothing to create.
  virtual BOOL CreateModalWindow(CWnd* owner);
  // Sends WM_INITDIALOG and, when OnInitDialog answers TRUE, focuses the first tab stop.
  void InitDialog();

  UINT m_templateId;
  CWnd* m_pParentWnd;  // not owned

 private:
  bool m_modalActive = false;
  int m_modalResult = -1;
  CSize m_baseUnits{6, 13};
};
