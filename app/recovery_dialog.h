// CRecoveryDialog: at start, the recovery copies that programs no longer running left
// behind, one line each with its component, library and age, and the files of the
// recovery folder that cannot be read as copies, with the reason.
//
// Restore opens the chosen copy, Discard deletes it after asking; each leaves the list
// once done, and the dialog closes when the list is empty. Later closes it and keeps
// what is left for the next start. The caller does the restoring and deleting.
#pragma once

#include <ctime>
#include <functional>
#include <vector>

#include "app/recovery_store.h"
#include "platform/dialog.h"
#include "platform/list_box.h"

class CRecoveryDialog : public CDialog {
 public:
  // True when the file was dealt with and leaves the list.
  using Action = std::function<bool(const RecoveryFile& file)>;

  CRecoveryDialog(std::vector<RecoveryFile> files, Action restore, Action discard, std::time_t now,
                  CWnd* parent = nullptr);

  // "3 minutes ago" and the like.
  static CString DescribeAge(std::time_t written, std::time_t now);

  BOOL OnInitDialog() override;
  // Restore, the default button.
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnDiscard();
  void OnSelectionChanged();
  void ShowFiles();
  // The chosen file's index, or -1.
  int Chosen() const;
  void Drop(int index);

  std::vector<RecoveryFile> m_files;
  Action m_restore;
  Action m_discard;
  std::time_t m_now;
  CListBox m_list;
};
