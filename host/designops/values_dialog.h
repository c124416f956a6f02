// CValuesDialog: edits a list of named values (the attributes of a component). The
// user picks a line to copy it into the name and value edits, and adds, changes or
// deletes lines; the dialog edits its own copy, which the caller reads after OK.
#pragma once

#include <vector>

#include "host/model/attribute.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"

class CValuesDialog : public CDialog {
  DECLARE_DYNAMIC(CValuesDialog)

 public:
  explicit CValuesDialog(std::vector<AttributeValue> values, CWnd* parent = nullptr);

  // The values as the user left them, in list order.
  const std::vector<AttributeValue>& GetValues() const { return m_values; }

  BOOL OnInitDialog() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnSelectionChanged();
  void OnAdd();
  void OnChange();
  void OnDelete();

  // The edited name, without blanks around it.
  CString TypedName() const;
  // Names compare ignoring case, as attribute names do. `except` is the line allowed to
  // carry the name already (-1: none). A refusal is shown to the user.
  bool AcceptName(const CString& name, int except);
  // Refills the list and selects line `select` (-1: none).
  void ShowValues(int select);

  std::vector<AttributeValue> m_values;
  CListBox m_list;
  CEdit m_name;
  CEdit m_value;
};
