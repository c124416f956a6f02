#include "editor/dialogs/add_gate_dialog.h"

#include "editor/dialogs/find_symbol.h"
#include "editor/dialogs/library_symbol_chooser.h"
#include "editor/resources/resource_ids.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "host/utility/reselect_control.h"

// The symbol list is always open: a click in it ends a selection (CBN_SELENDOK).
const MessageMap CAddGateDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELENDOK, IDC_SCM_SYMBOL_COMBO, &CAddGateDialog::OnSymbolChanged),
        NotifyEntry(CBN_EDITCHANGE, IDC_SCM_SYMBOL_COMBO, &CAddGateDialog::OnSymbolChanged),
        NotifyEntry(CBN_SELCHANGE, IDC_SCM_LIBRARY_COMBO, &CAddGateDialog::OnLibraryChanged),
        CommandEntry(IDC_ADD_GATE_FIND_SYMBOL, &CAddGateDialog::OnFindSymbol),
    }};

CAddGateDialog::CAddGateDialog(int gateIndex, const CString& library, const CString& symbol, CWnd* parent)
    : CDialog(IDD_ADD_GATE, parent), m_library(library), m_symbol(symbol), m_gateIndex(gateIndex) {}

CAddGateDialog::~CAddGateDialog() = default;

void CAddGateDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SCM_PIN_COUNT, m_pinCount);
  DDX_Control(dx, IDC_SCM_LIBRARY_COMBO, m_libraries);
  DDX_Control(dx, IDC_SCM_SYMBOL_COMBO, m_symbols);
  DDX_Text(dx, IDC_GATE_COUNT, m_howMany);
}

BOOL CAddGateDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTitleFromGate();
  m_chooser = std::make_unique<CLibrarySymbolChooser>(RUNTIME_CLASS(CScmSymbolLibrary), &m_libraries,
                                                      &m_symbols, &m_pinCount);
  // With no library proposed the list stays at the library last used, where the user
  // most likely looks next.
  if (!m_library.IsEmpty()) m_chooser->SelectLibrary(m_library);
  m_chooser->SetSymbolName(m_symbol);
  UpdateData(FALSE);
  return TRUE;
}

void CAddGateDialog::SetTitleFromGate() {
  CString title;
  title.Format(IDS_ADD_GATE_TITLE, CSymbolInstance::GetGateString(m_gateIndex));
  SetWindowText(title);
}

void CAddGateDialog::OnOK() {
  // A How Many that is not a whole number has been reported, with the focus on it, by
  // the exchange itself; the symbol is still checked so that the user learns of both.
  const bool howManyRead = UpdateData(TRUE) != FALSE;
  m_library = m_chooser->GetLibraryName();
  if (!m_chooser->ValidateSymbol(m_symbol, false)) return RefuseAt(IDC_SCM_SYMBOL_COMBO);
  if (!m_chooser->GetPinCount(m_pins)) return RefuseAt(IDC_SCM_PIN_COUNT);
  // Exchanging again would only repeat the message the user has just seen.
  if (!howManyRead) return;
  CDialog::OnOK();
}

void CAddGateDialog::RefuseAt(int controlId) {
  ReselectControl(GetDlgItem(controlId));
  CAppError::ReportLastError();
}

// Notifications sent before OnInitDialog has made the chooser have nothing to update.
void CAddGateDialog::OnSymbolChanged() {
  if (m_chooser != nullptr) m_chooser->UpdatePinCount();
}

void CAddGateDialog::OnLibraryChanged() {
  if (m_chooser != nullptr) m_chooser->FillSymbolList();
}

void CAddGateDialog::OnFindSymbol() {
  if (m_chooser == nullptr) return;
  RunFindSymbol("Addgate", this, *m_chooser, &CAddGateDialog::OnSymbolFound);
}

void CAddGateDialog::OnSymbolFound(CFindLibraryItem* find, void* context) {
  CAddGateDialog* dialog = static_cast<CAddGateDialog*>(context);
  if (find == nullptr || dialog->m_chooser == nullptr) return;
  TakeFoundSymbol(*find, *dialog->m_chooser);
}
