#include "tests/editor/dialogs/chooser_dialog.h"

#include "editor/dialogs/find_symbol.h"
#include "editor/resources/resource_ids.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"

// The symbol notifications are those of the owners with the same controls: a simple
// combo follows CBN_SELENDOK, a drop-down one CBN_SELCHANGE.
const MessageMap CChooserDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_SCM_LIBRARY_COMBO, &CChooserDialog::OnLibraryChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_LIBRARY_COMBO, &CChooserDialog::OnLibraryChanged),
        NotifyEntry(CBN_SELENDOK, IDC_SCM_SYMBOL_COMBO, &CChooserDialog::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_SCM_SYMBOL_COMBO, &CChooserDialog::OnSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_PCB_SYMBOL_COMBO, &CChooserDialog::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_PCB_SYMBOL_COMBO, &CChooserDialog::OnSymbolChanged),
        CommandEntry(IDC_ADD_GATE_FIND_SYMBOL, &CChooserDialog::OnFindSymbol),
    }};

ChooserLayout AddGateLayout() {
  return {IDD_ADD_GATE,          RUNTIME_CLASS(CScmSymbolLibrary),
          IDC_SCM_LIBRARY_COMBO, IDC_SCM_SYMBOL_COMBO,
          IDC_SCM_PIN_COUNT,     "Addgate"};
}

ChooserLayout AddPackageLayout() {
  return {IDD_ADD_PACKAGE,       RUNTIME_CLASS(CPcbSymbolLibrary),
          IDC_PCB_LIBRARY_COMBO, IDC_PCB_SYMBOL_COMBO,
          IDC_PCB_PIN_COUNT,     nullptr};
}

CChooserDialog::CChooserDialog(const ChooserLayout& layout, bool allowEmptySymbol)
    : CDialog(layout.templateId), m_layout(layout), m_allowEmptySymbol(allowEmptySymbol) {}

void CChooserDialog::ShowAtStart(const CString& library, const CString& symbol) {
  m_startLibrary = library;
  m_startSymbol = symbol;
}

void CChooserDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, m_layout.libraryCombo, m_library);
  DDX_Control(dx, m_layout.symbolCombo, m_symbol);
  DDX_Control(dx, m_layout.pinCountEdit, m_pinCount);
}

BOOL CChooserDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_chooser =
      std::make_unique<CLibrarySymbolChooser>(m_layout.libraryKind, &m_library, &m_symbol, &m_pinCount);
  if (!m_startLibrary.IsEmpty()) {
    m_chooser->SelectLibrary(m_startLibrary);
    m_chooser->SetSymbolName(m_startSymbol);
  }
  return TRUE;
}

void CChooserDialog::OnOK() {
  CString symbol;
  if (!m_chooser->ValidateSymbol(symbol, m_allowEmptySymbol)) {
    ReselectControl(&m_symbol);
    CAppError::ReportLastError();
    return;
  }
  int pinCount = 0;
  m_chooser->GetPinCount(pinCount);
  m_result = {m_chooser->GetLibraryName().str(), symbol.str(), pinCount};
  EndDialog(IDOK);
}

// Notifications before OnInitDialog has made the chooser have nothing to update.
void CChooserDialog::OnLibraryChanged() {
  if (m_chooser != nullptr) m_chooser->FillSymbolList();
}

void CChooserDialog::OnSymbolChanged() {
  if (m_chooser != nullptr) m_chooser->UpdatePinCount();
}

void CChooserDialog::OnFindSymbol() {
  RunFindSymbol(m_layout.findIdentifier, this, *m_chooser, &CChooserDialog::OnSymbolFound);
}

void CChooserDialog::OnSymbolFound(CFindLibraryItem* find, void* context) {
  TakeFoundSymbol(*find, static_cast<CChooserDialog*>(context)->Chooser());
}
