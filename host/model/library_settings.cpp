#include "host/model/library_settings.h"

#include "host/model/symbol_library.h"
#include "host/utility/file_path.h"
#include "platform/app_registry.h"
#include "platform/program_path.h"

namespace {

constexpr const char* kSettingsKey = "Libraries";

struct KindEntry {
  const CRuntimeClass* kind;
  const char* valueName;
  const char* bundledFile;
};

// Null for a kind that has no saved library.
const KindEntry* FindKind(const CRuntimeClass* kind) {
  if (kind == nullptr) return nullptr;
  static const KindEntry entries[] = {
      {RUNTIME_CLASS(CScmSymbolLibrary), "LastScm", "logic.scmlib"},
      {RUNTIME_CLASS(CPcbSymbolLibrary), "LastPcb", "footprints.pcblib"},
      {RUNTIME_CLASS(CComponentLibrary), "LastComponent", "sample.cmplib"},
  };
  for (const KindEntry& entry : entries) {
    if (kind->IsDerivedFrom(entry.kind)) return &entry;
  }
  return nullptr;
}

}  // namespace

CString CLibrarySettings::GetLastUsedFile(const CRuntimeClass* kind) {
  const KindEntry* entry = FindKind(kind);
  if (entry == nullptr) return {};
  CString saved;
  if (CAppRegistry(kSettingsKey).GetValue(entry->valueName, saved) && !saved.IsEmpty()) return saved;
  return GetBundledFile(kind);
}

bool CLibrarySettings::SetLastUsedFile(const CRuntimeClass* kind, const CString& path) {
  const KindEntry* entry = FindKind(kind);
  if (entry == nullptr || path.IsEmpty()) return false;
  CAppRegistry settings(kSettingsKey);
  return settings.SetValue(entry->valueName, CFilePath(path).GetFullPath());
}

CString CLibrarySettings::GetBundledFile(const CRuntimeClass* kind) {
  const KindEntry* entry = FindKind(kind);
  if (entry == nullptr) return {};
  return GetProgramPath() + entry->bundledFile;
}
