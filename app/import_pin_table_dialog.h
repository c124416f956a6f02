// CImportPinTableDialog: File > Import Pin Table. The table chosen is read at once and
// previewed: its layout and header, the gates it will make with their pins' kinds, the
// packages found, and each pin with its kind (the table's, or guessed from the name).
// A pin chosen in the preview shows its kind in the Kind list, where the user may change
// it. The user names the component, may state the layout, chooses how gates are split and
// gives footprints as PACKAGE=FOLDER:FOOTPRINT (several separated by ';'); the preview
// follows each change. OK writes the gates' symbols into the symbol library beside the
// component library and puts the new component's records in the design, unsaved. A
// refused OK (a table that does not read, a name taken) shows the reason and stays open.
#pragma once

#include <map>
#include <vector>

#include "host/pinout/pinout_import.h"
#include "platform/combo_box.h"
#include "platform/cstring.h"
#include "platform/dialog.h"
#include "platform/list_box.h"

class CDesign;

inline constexpr UINT IDD_IMPORT_PIN_TABLE = 33520;
inline constexpr int IDC_PIN_TABLE_FILE = 33521;
inline constexpr int IDC_PIN_TABLE_NAME = 33522;
inline constexpr int IDC_PIN_TABLE_LAYOUT = 33523;
inline constexpr int IDC_PIN_TABLE_SPLIT = 33524;
inline constexpr int IDC_PIN_TABLE_FOOTPRINTS = 33525;
inline constexpr int IDC_PIN_TABLE_PREVIEW = 33526;
inline constexpr int IDC_PIN_TABLE_REFRESH = 33527;
inline constexpr int IDC_PIN_TABLE_KIND = 33528;

class CImportPinTableDialog : public CDialog {
 public:
  // `design` receives the records; not owned.
  CImportPinTableDialog(CDesign* design, const CString& componentLibrary, const CString& table,
                        CWnd* parent = nullptr);

  // After OK: what the footprints lacked or left unused.
  const std::vector<CString>& GetNotes() const { return m_notes; }

  BOOL OnInitDialog() override;
  void OnOK() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CPinoutImport::Request ReadRequest() const;
  void OnPreview();
  void OnPinChosen();
  void OnKindChanged();
  void AddLine(int row, const CString& text);
  void ShowPreview(const PinTable& table, const CPinoutPlan& plan);

  CDesign* m_design;  // not owned
  CString m_componentLibrary;
  CString m_table;
  CComboBox m_layout;
  CComboBox m_split;
  CListBox m_preview;
  CComboBox m_kind;
  std::vector<CString> m_notes;
  std::map<std::size_t, PinKind> m_kinds;  // the kinds the user chose, by table row
  std::vector<int> m_lineRows;             // the table row of each preview line; -1 for none
  std::vector<PinKind> m_rowKinds;         // by table row, as previewed
  int m_chosenRow = -1;
};
