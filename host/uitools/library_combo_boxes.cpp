#include "host/uitools/library_combo_boxes.h"

#include "host/libtools/library_manager.h"
#include "host/model/component_library_file.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/model/technology.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "platform/app_registry.h"
#include "platform/program_path.h"

IMPLEMENT_DYNAMIC(CLibraryFileComboBox, CFileComboBox)
IMPLEMENT_DYNAMIC(CLibraryContentsComboBox, CSmartComboBox)

namespace {

constexpr const char* kTechnologyKey = "Technology";

// With its dot; empty for a class that is no library kind.
CString LibraryExtension(const CRuntimeClass* kind) {
  if (kind == nullptr) return {};
  if (kind->IsDerivedFrom(RUNTIME_CLASS(CComponentLibrary))) return CComponentLibraryFile::GetExtension();
  return CSymbolLibrary::ExtensionOf(kind);
}

CString WithTrailingSlash(CString directory) {
  if (!directory.IsEmpty() && directory[directory.GetLength() - 1] != '/') directory += '/';
  return directory;
}

}  // namespace

bool CLibraryFileComboBox::Fill(const CRuntimeClass* libraryKind, const char* startEntry) {
  m_directory.Empty();
  if (m_hWnd == nullptr) return false;
  ResetContent();
  const CString extension = LibraryExtension(libraryKind);
  if (extension.IsEmpty()) {
    CAppError::SetLastErrorText("No library files can be listed for this kind of library.");
    return false;
  }
  const CFilePath start{CString(startEntry)};
  const CFilePath saved{CLibraryManager::GetSavedFileName(libraryKind)};
  m_directory = start.GetDirectory().IsEmpty() ? saved.GetDriveAndDirectory() : start.GetDriveAndDirectory();
  if (m_directory.IsEmpty()) m_directory = "./";
  if (AddLibraries(libraryKind, extension) < 0) return false;
  if (SelectString(-1, start.GetFileNameAndExtension()) == CB_ERR) SetSelected(GetCount() > 0 ? 0 : -1);
  return true;
}

int CLibraryFileComboBox::AddLibraries(const CRuntimeClass* libraryKind, const CString& extension) {
  const bool schematic = libraryKind->IsDerivedFrom(RUNTIME_CLASS(CScmSymbolLibrary));
  if (!schematic && !libraryKind->IsDerivedFrom(RUNTIME_CLASS(CPcbSymbolLibrary)))
    return AddFiles(m_directory, extension.Mid(1));
  std::vector<CString> names;
  if (!CSymbolLibraryLocator::ListLibraries(m_directory, schematic ? SymbolKind::Schematic : SymbolKind::Pcb,
                                            names)) {
    CString message;
    message.Format("The folder \"%s\" cannot be read.", m_directory);
    CAppError::SetLastErrorText(message);
    return -1;
  }
  for (const CString& name : names) AddString(name);
  return static_cast<int>(names.size());
}

CString CLibraryFileComboBox::GetFullPath() const {
  const CString name = GetText();
  if (name.IsEmpty()) return {};
  return m_directory + name;
}

bool CLibraryContentsComboBox::Fill(const char* libraryPath, const char* text) {
  m_libraryPath = libraryPath;
  if (m_hWnd == nullptr) return false;
  ResetContent();
  CSymbolLibrary library(m_libraryPath);
  const bool opened = library.OpenRead();
  if (opened) {
    for (const CString& name : library.SymbolNames()) AddString(name);
    library.Close();
  }
  ShowText(text);
  return opened;
}

void CLibraryContentsComboBox::ShowText(const char* text) {
  const int index = CString(text).IsEmpty() ? CB_ERR : FindStringExact(-1, text);
  if (index != CB_ERR) {
    SetSelected(index);
    return;
  }
  SetText(text);
}

CString GetTechnologyDirectory() {
  CString directory;
  if (CAppRegistry(kTechnologyKey).GetValue("Directory", directory) && !directory.IsEmpty()) {
    return WithTrailingSlash(directory);
  }
  return GetProgramPath();
}

CString GetLastTechnologyFile(const CRuntimeClass* libraryKind) {
  if (libraryKind == nullptr) return {};
  SymbolKind kind;
  if (libraryKind->IsDerivedFrom(RUNTIME_CLASS(CScmSymbolLibrary))) {
    kind = SymbolKind::Schematic;
  } else if (libraryKind->IsDerivedFrom(RUNTIME_CLASS(CPcbSymbolLibrary))) {
    kind = SymbolKind::Pcb;
  } else {
    return {};
  }
  CString file;
  const char* valueName = kind == SymbolKind::Schematic ? "LastScm" : "LastPcb";
  if (CAppRegistry(kTechnologyKey).GetValue(valueName, file) && !file.IsEmpty()) return file;
  return "default" + CTechnology::GetExtension(kind);
}
