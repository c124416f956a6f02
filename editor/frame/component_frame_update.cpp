// Undo levels, the write-back of the grid and the validity check of the design.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "editor/frame/component_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/resources/host_resources.h"
#include "host/utility/app_error.h"
#include "host/utility/file_path.h"
#include "platform/app_registry.h"
#include "platform/message_box.h"
#include "platform/temp_file.h"
#include "platform/wait_cursor.h"

namespace {

constexpr const char* kDesignKey = "Design";
constexpr const char* kCheckValidValue = "CheckValid";

bool CheckValidSetting() {
  bool check = false;
  CAppRegistry(kDesignKey).GetValue(kCheckValidValue, check);
  return check;
}

// A report whose size cannot be read counts as empty.
bool IsEmptyFile(const CString& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path.str(), error);
  return error || size == 0;
}

// Checks the design into the report file; an invalid design's report is shown, titled
// after the component (the file's name means nothing to the user), or the user is
// asked whether to go on with it.
bool CheckDesign(const CDesign& design, const CString& reportFile, const CString& title, bool explicitCheck) {
  const CString report = design.CheckValid(reportFile);
  if (IsEmptyFile(reportFile)) return true;
  if (explicitCheck) {
    if (!EditFile(reportFile, true, title)) CAppError::ReportLastError();
    return false;
  }
  CString question;
  question.FormatMessage(IDS_HOST_CONTINUE_WITH_INVALID_DESIGN, report);
  return AfxMessageBox(question.c_str(), MB_YESNO) == IDYES;
}

}  // namespace

void CComponentFrame::StartUndoLevel(UINT id) {
  if (CDesign* design = GetDesign()) design->StartUndoLevel(id);
}

void CComponentFrame::EndUndoLevel(UINT id) {
  if (CDesign* design = GetDesign()) design->EndUndoLevel(id);
}

bool CComponentFrame::UpdateDesign() {
  if (!m_bGrid) return true;
  auto* grid = DynamicDowncast<CComponentGrid>(m_wndSplitter.GetPane(0, 0));
  if (grid == nullptr) return true;
  return grid->UpdateComponent(GetComponent(false));
}

bool CComponentFrame::IsDesignValid(bool explicitCheck) {
  if (!explicitCheck && !CheckValidSetting()) return true;
  CString reportFile;
  if (!GetTempFile(reportFile)) return true;
  CWaitCursor wait;
  bool valid = true;
  const CComponent* component = GetComponent(false);
  const CString title = "Check Validity - " + (component != nullptr ? component->GetName() : CString());
  if (CDesign* design = GetDocument()) valid = CheckDesign(*design, reportFile, title, explicitCheck);
  std::remove(reportFile.c_str());
  return valid;
}
