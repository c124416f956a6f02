// CComponentPickerDialog: chooses one component of a library, and manages the library's
// components. The list shows every component with its packages and gate count; typing
// in the filter keeps those whose name or package holds the typed text, ignoring case.
//
// Duplicate asks for the copy's name, Rename for the new name, Delete asks first; each
// rewrites the library at once (atomically; the other components keep their bytes) and
// lists it afresh. A component open in a tab is neither renamed nor deleted: the user
// is told to close it first, since its tab would otherwise save it back under its old
// name.
#pragma once

#include <functional>
#include <vector>

#include "host/model/component_library_file.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"

class CComponentPickerDialog : public CDialog {
  DECLARE_DYNAMIC(CComponentPickerDialog)

 public:
  // True when the component of the library is open in a tab.
  using IsOpenQuery = std::function<bool(const CString& name)>;

  // `libraryPath` is the library listed; its file name goes in the caption. Without
  // `isOpen` no component counts as open.
  CComponentPickerDialog(const CString& libraryPath, std::vector<LibraryEntry> entries,
                         IsOpenQuery isOpen = {}, CWnd* parent = nullptr);

  // The component chosen with OK.
  const CString& GetChosenName() const { return m_chosen; }
  // The library's components as last listed.
  const std::vector<LibraryEntry>& GetEntries() const { return m_entries; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnFilterChanged();
  void OnSelectionChanged();
  void OnDuplicate();
  void OnRename();
  void OnDelete();

  // Refills the list with the entries the filter lets through and selects `select`, or
  // the first when it is not listed.
  void ShowMatches(const CString& select = CString());
  bool Matches(const LibraryEntry& entry, const CString& lowerFilter) const;
  const LibraryEntry* SelectedEntry() const;
  // Asks for a name; false when the user cancels.
  bool AskName(const CString& caption, const CString& prompt, const CString& proposed, CString& name);
  // True, after telling the user, when the component is open in a tab.
  bool RefuseOpenComponent(const CString& name, const char* action);
  // Shows the outcome of a change of the library and lists it afresh.
  void AfterChange(bool done, const CString& error, const CString& select);

  CString m_libraryPath;
  std::vector<LibraryEntry> m_entries;
  IsOpenQuery m_isOpen;
  CString m_chosen;
  CEdit m_filter;
  CListBox m_list;
};
