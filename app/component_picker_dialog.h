// CComponentPickerDialog: chooses one component of a library. The list shows every
// component; typing in the filter keeps those whose name or package holds the typed
// text, ignoring case. The line under the list names the chosen component's packages.
#pragma once

#include <vector>

#include "host/model/component_library_file.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"

class CComponentPickerDialog : public CDialog {
  DECLARE_DYNAMIC(CComponentPickerDialog)

 public:
  // `libraryName` goes in the caption.
  CComponentPickerDialog(std::vector<LibraryEntry> entries, const CString& libraryName,
                         CWnd* parent = nullptr);

  // The component chosen with OK.
  const CString& GetChosenName() const { return m_chosen; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnFilterChanged();
  void OnSelectionChanged();
  // Refills the list with the entries the filter lets through and selects the first.
  void ShowMatches();
  bool Matches(const LibraryEntry& entry, const CString& lowerFilter) const;
  const LibraryEntry* SelectedEntry() const;

  std::vector<LibraryEntry> m_entries;
  CString m_libraryName;
  CString m_chosen;
  CEdit m_filter;
  CListBox m_list;
};
