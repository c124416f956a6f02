// CComponentNameDialog: asks for the name of a component, as the picker's Duplicate and
// Rename do. OK takes only a name the editor accepts for a component; otherwise the
// reason shows and the edit keeps the focus with the name selected.
#pragma once

#include "platform/cstring.h"
#include "platform/dialog.h"

class CComponentNameDialog : public CDialog {
 public:
  // `caption` names the action ("Duplicate HEX-INV"); `prompt` goes above the edit,
  // which starts with `proposed`.
  CComponentNameDialog(const CString& caption, const CString& prompt, const CString& proposed,
                       CWnd* parent = nullptr);

  // The name accepted with OK, without blanks around it.
  const CString& GetName() const { return m_name; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CString m_caption;
  CString m_prompt;
  CString m_name;
};
