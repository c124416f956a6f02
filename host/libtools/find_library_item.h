// CFindLibraryItem: the symbol-search dialog. The user types a name pattern, searches
// every library of one kind in one directory, and takes found symbols one after the
// other; each take is handed to the caller's callback while the dialog stays open.
//
// The caller sets the public members before DoModal. While the callback runs, the
// accessors describe the symbol taken.
#pragma once

#include <string_view>
#include <vector>

#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"

class CFindLibraryItem : public CDialog {
  DECLARE_DYNAMIC(CFindLibraryItem)

 public:
  using Callback = void (*)(CFindLibraryItem* dialog, void* context);

  // `identifier` names the caller ("Addgate", ...): each caller finds the pattern it
  // searched for last.
  CFindLibraryItem(const char* identifier, CWnd* parent = nullptr);

  // CScmSymbolLibrary or CPcbSymbolLibrary.
  const CRuntimeClass* m_pLibraryKind = nullptr;
  // Empty: the directory of the library file.
  CString m_strSearchDirectory;
  // The library the caller shows; each take sets it to the library taken from.
  CString m_strLibraryFile;
  Callback m_pfnCallback = nullptr;
  void* m_pCallbackContext = nullptr;

  // True when the symbol taken lies in another library than the caller showed.
  bool GetSwitchLibrary() const { return m_switchLibrary; }
  // The file name, with extension, of the library of the symbol taken.
  CString GetLibraryFile() const;
  // That library's path in the directory searched.
  CString GetLibraryPath() const;
  const CString& GetSymbolName() const { return m_symbolName; }

  BOOL OnInitDialog() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  struct FoundSymbol {
    CString libraryFile;
    CString symbolName;
  };

  void OnSearch();
  void OnUse();
  void OnResultChanged();
  CString SearchDirectory() const;
  // Appends the matches of every library of the kind; returns how many libraries were
  // read (-1: the directory could not be) and names those that could not be in
  // `unreadable`.
  int SearchLibraries(const CString& pattern, std::vector<CString>& unreadable);
  void ShowResults();
  void ShowStatus(int librariesSearched, const std::vector<CString>& unreadable);

  CString m_identifier;
  CString m_directory;  // searched, with a trailing '/'; set when the dialog opens
  CEdit m_pattern;
  CListBox m_results;
  std::vector<FoundSymbol> m_found;
  bool m_switchLibrary = false;
  CString m_symbolName;
};

// Whether `name` matches `pattern`, where '*' stands for any run of characters and '?'
// for any one; letters compare ignoring case.
bool MatchesNamePattern(std::string_view name, std::string_view pattern);
