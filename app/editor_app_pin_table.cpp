// File > Import Pin Table: a chip maker's pinout table becomes a new component, opened
// unsaved in a tab of its own.
#include <filesystem>
#include <system_error>

#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "app/import_pin_table_dialog.h"
#include "platform/message_box.h"
#include "platform/program_path.h"

namespace {

CString AbsolutePath(const CString& path) {
  std::error_code code;
  const std::filesystem::path absolute = std::filesystem::absolute(path.str(), code);
  return CString((code ? std::filesystem::path(path.str()) : absolute).lexically_normal().string());
}

}  // namespace

bool CEditorApp::ImportPinTable(const CString& libraryPath, const CString& tablePath) {
  std::vector<CString> notes;
  const CString library = AbsolutePath(libraryPath);
  const auto import = [&](CDesign& design) {
    CImportPinTableDialog dialog(&design, library, tablePath);
    if (dialog.DoModal() != IDOK) return false;
    notes = dialog.GetNotes();
    return true;
  };
  if (!MakeNewComponent(libraryPath, import)) return false;
  CString text;
  for (const CString& note : notes) text += (text.IsEmpty() ? "" : "\n") + note;
  if (!text.IsEmpty()) AfxMessageBox(text, MB_OK | MB_ICONWARNING);
  return true;
}

void CEditorApp::OnImportPinTable() {
  CString library = CurrentLibrary();
  if (library.IsEmpty()) library = m_prompt.AskLibraryToOpen(GetProgramPath());
  if (library.IsEmpty()) return;
  const CString table = m_prompt.AskPinTableToOpen(
      CString(std::filesystem::path(AbsolutePath(library).str()).parent_path().string()));
  if (!table.IsEmpty()) ImportPinTable(library, table);
}
