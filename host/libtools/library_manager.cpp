#include "host/libtools/library_manager.h"

#include "host/model/library_settings.h"

CString CLibraryManager::GetSavedFileName(const CRuntimeClass* kind) {
  return CLibrarySettings::GetLastUsedFile(kind);
}

bool CLibraryManager::SetSavedFileName(const CRuntimeClass* kind, const CString& path) {
  return CLibrarySettings::SetLastUsedFile(kind, path);
}

CString CLibraryManager::GetDefaultFileName(const CRuntimeClass* kind) {
  return CLibrarySettings::GetBundledFile(kind);
}
