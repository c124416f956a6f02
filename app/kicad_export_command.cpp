// File > Export to KiCad, the program's face of the export that component-editor-cli
// export-kicad runs: the dialog chooses and exports, the summary follows.
#include "app/app_component_frame.h"
#include "app/editor_app.h"
#include "app/file_prompt.h"
#include "app/kicad_export_dialog.h"
#include "app/main_frame.h"
#include "host/model/design.h"
#include "platform/message_box.h"
#include "platform/program_path.h"

void CEditorApp::OnExportKicad() {
  CString library = CurrentLibrary();
  if (library.IsEmpty()) library = m_prompt.AskLibraryToOpen(GetProgramPath());
  if (library.IsEmpty()) return;
  const CDesign* current = nullptr;
  if (CMainFrame* main = MainFrame()) {
    CAppComponentFrame* active = main->ActiveComponentFrame();
    // The component goes out as it stands in its tab, pending grid edits included.
    if (active != nullptr && active->GetDesign() != nullptr &&
        active->GetDesign()->GetPathName() == library && active->WriteBackEdits())
      current = active->GetDesign();
  }
  CKicadExportDialog dialog(library, current);
  if (dialog.DoModal() != IDOK) return;
  AfxMessageBox(dialog.GetSummary().Describe(), MB_OK | MB_ICONINFORMATION);
}
