#include "editor/dialogs/library_symbol_chooser.h"

#include <climits>
#include <cstdlib>
#include <memory>

#include "editor/resources/resource_ids.h"
#include "host/libtools/library_manager.h"
#include "host/model/symbol_library.h"
#include "host/uitools/validators.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"

namespace {

// The pin count of a symbol in a library (a footprint's pin on several lands once);
// false when the library does not open or holds no symbol of that name. Owners only
// unlock the count then, so nothing is reported.
bool ReadPadCount(const CString& libraryPath, const CString& symbolName, int& count) {
  CSymbolLibrary library(libraryPath);
  if (!library.OpenRead()) return false;
  const std::unique_ptr<CSymbol> symbol = library.Read(symbolName);
  library.Close();
  if (symbol == nullptr) return false;
  count = symbol->CountPins();
  return true;
}

// True when the library opens and holds the symbol; otherwise false with the reason
// recorded for the owner to show.
bool LibraryHoldsSymbol(const CString& libraryPath, const CString& symbolName) {
  CSymbolLibrary library(libraryPath);
  if (!library.OpenRead()) {
    CAppError::SetLastError(IDS_ERR_CANNOT_OPEN_LIBRARY, libraryPath);
    return false;
  }
  const bool found = library.Read(symbolName) != nullptr;
  library.Close();
  if (!found) CAppError::SetLastError(IDS_ERR_SYMBOL_NOT_FOUND, symbolName);
  return found;
}

// Reads a number as atoi does, except that a number beyond the range of int gives the
// nearest end of the range instead of anything at all.
int ReadLeadingNumber(const CString& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

CLibrarySymbolChooser::CLibrarySymbolChooser(const CRuntimeClass* libraryKind,
                                             CLibraryFileComboBox* libraryCombo,
                                             CLibraryContentsComboBox* symbolCombo, CEdit* pinCountEdit)
    : m_pLibraryKind(libraryKind),
      m_pLibraryCombo(libraryCombo),
      m_pSymbolCombo(symbolCombo),
      m_pPinCountEdit(pinCountEdit) {
  // A directory that cannot be listed leaves the list empty; ValidateSymbol then names
  // the library that cannot be opened when the owner is confirmed.
  m_pLibraryCombo->Fill(m_pLibraryKind, CLibraryManager::GetSavedFileName(m_pLibraryKind));
  FillSymbolList();
}

CString CLibrarySymbolChooser::GetLibraryName() const {
  return m_pLibraryCombo->GetText();
}

CString CLibrarySymbolChooser::GetLibraryPath() const {
  CFilePath path(CLibraryManager::GetSavedFileName(m_pLibraryKind));
  path.SetExtension("");
  path.SetFileName(GetLibraryName());
  return path.GetPath();
}

void CLibrarySymbolChooser::SelectLibrary(const CString& name) {
  // A name the list lacks keeps the library selected before.
  m_pLibraryCombo->SelectString(-1, name);
  FillSymbolList();
}

void CLibrarySymbolChooser::FillSymbolList() {
  // A library that cannot be read lists nothing; ValidateSymbol reports it.
  m_pSymbolCombo->Fill(GetLibraryPath(), "");
  UpdatePinCount();
}

void CLibrarySymbolChooser::SetSymbolName(const CString& name) {
  const int index = m_pSymbolCombo->FindStringExact(-1, name);
  if (index != CB_ERR) {
    m_pSymbolCombo->SetSelected(index);
  } else {
    m_pSymbolCombo->SetText(name);
  }
  UpdatePinCount();
}

void CLibrarySymbolChooser::UpdatePinCount() {
  const int selected = m_pSymbolCombo->GetCurSel();
  if (selected == CB_ERR) return;
  CString name;
  m_pSymbolCombo->GetLBText(selected, name);
  int count = 0;
  const bool known = ReadPadCount(GetLibraryPath(), name, count);
  if (known) {
    CString text;
    text.Format("%d", count);
    m_pPinCountEdit->SetWindowText(text);
  }
  m_pPinCountEdit->SetReadOnly(known ? TRUE : FALSE);
}

bool CLibrarySymbolChooser::ValidateSymbol(CString& name, bool allowEmpty) {
  name = m_pSymbolCombo->GetText();
  if (name.IsEmpty()) {
    if (allowEmpty) return true;
    CAppError::SetLastError(IDS_ERR_EMPTY_SYMBOL_NAME);
    return false;
  }
  if (!ValidSymbolName(name)) return false;
  return LibraryHoldsSymbol(GetLibraryPath(), name);
}

bool CLibrarySymbolChooser::GetPinCount(int& count) {
  count = ReadLeadingNumber(m_pPinCountEdit->GetWindowText());
  return true;
}
