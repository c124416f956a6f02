#include "host/utility/flex_grid.h"

#include "platform/app_registry.h"

IMPLEMENT_DYNAMIC(CFlexGrid, CGridCtrl)

namespace {
bool& FailCreation() {
  static bool fail = false;
  return fail;
}
}  // namespace

BOOL CFlexGrid::Create(const char* className, const char* windowName, DWORD style, const CRect& rect,
                       CWnd* parent, UINT id, CCreateContext* context) {
  if (FailCreation()) return FALSE;
  return CGridCtrl::Create(className, windowName, style, rect, parent, id, context);
}

BOOL CFlexGrid::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return Create(nullptr, "", style, rect, parent, id, nullptr);
}

void CFlexGrid::SetFailCreationForTesting(bool fail) {
  FailCreation() = fail;
}

BOOL CFlexGrid::SetTextMatrix(long row, long col, UINT stringId) {
  CString text;
  if (!text.LoadString(stringId)) return FALSE;
  return SetTextMatrix(row, col, text.c_str());
}

CString CFlexGrid::WidthValueName(long col) {
  CString name;
  name.Format("Col%ld", col);
  return name;
}

bool CFlexGrid::LoadSettings() {
  if (m_registryKey.IsEmpty() || m_hWnd == nullptr) return false;
  const CAppRegistry registry(m_registryKey);
  for (long col = 0; col < GetCols(); ++col) {
    unsigned long width = 0;
    if (!registry.GetValue(WidthValueName(col), width) || width > kMaxStoredColWidth) continue;
    SetColWidth(col, static_cast<int>(width));
  }
  return true;
}

bool CFlexGrid::SaveSettings() {
  if (m_registryKey.IsEmpty() || m_hWnd == nullptr) return false;
  CAppRegistry registry(m_registryKey);
  bool kept = true;
  for (long col = 0; col < GetCols(); ++col) {
    const unsigned long width = static_cast<unsigned long>(GetColWidth(col));
    if (!registry.SetValue(WidthValueName(col), width)) kept = false;
  }
  return kept;
}
