// CKicadExportDialog: File > Export to KiCad. The user chooses what goes out (the
// current component as it stands in its tab, every component of the library, or the
// components moved from the library's list to the chosen ones), the .kicad_sym file, the .pretty folder that
// takes the footprints of this program's libraries, their nickname, and whether pins without a package pin
// may go out unnumbered. Export runs CKicadExport; a refusal is shown and the dialog stays open, nothing
// written; after a success the summary says what was written and left out.
#pragma once

#include <memory>
#include <vector>

#include "host/kicad/kicad_export.h"
#include "platform/combo_box.h"
#include "platform/cstring.h"
#include "platform/dialog.h"
#include "platform/list_box.h"

class CDesign;

inline constexpr UINT IDD_KICAD_EXPORT = 33900;
inline constexpr int IDC_KICAD_EXPORT_WHAT = 33901;
inline constexpr int IDC_KICAD_EXPORT_OUTPUT = 33902;
inline constexpr int IDC_KICAD_EXPORT_FOOTPRINTS = 33903;
inline constexpr int IDC_KICAD_EXPORT_NICKNAME = 33904;
inline constexpr int IDC_KICAD_EXPORT_UNNUMBERED = 33905;
inline constexpr int IDC_KICAD_EXPORT_LIBRARY = 33906;
inline constexpr int IDC_KICAD_EXPORT_CHOSEN = 33907;
inline constexpr int IDC_KICAD_EXPORT_ADD = 33908;
inline constexpr int IDC_KICAD_EXPORT_REMOVE = 33909;

class CKicadExportDialog : public CDialog {
 public:
  // `current` is the design of the tab in front when it is a component of `library`,
  // else null; not owned.
  CKicadExportDialog(const CString& library, const CDesign* current, CWnd* parent = nullptr);

  // After OK: what was written and left out.
  const CKicadExport::Summary& GetSummary() const { return m_summary; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  enum class Choice { Current, Every, Chosen };

  bool Run(const CKicadExport::Options& options, CString& error);
  bool ExportChosen(const CKicadExport::Options& options, CString& error);
  void OnAdd();
  void OnRemove();
  // Moves the component of the list's selected line to the other list.
  void Move(CListBox& from, bool chosen);
  void ShowLists();

  CString m_library;
  const CDesign* m_current;
  CString m_currentName;
  std::vector<Choice> m_choices;  // by line of m_what
  std::vector<CString> m_names;   // the library's components, in its order
  std::vector<bool> m_chosen;     // by m_names
  CComboBox m_what;
  CListBox m_libraryList;
  CListBox m_chosenList;
  CString m_output;
  CString m_footprints;
  CString m_nickname;
  int m_unnumbered = 0;
  CKicadExport::Summary m_summary;
};
