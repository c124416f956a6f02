#include "host/utility/file_combo_box.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "host/utility/app_error.h"
#include "host/utility/file_path.h"

IMPLEMENT_DYNAMIC(CFileComboBox, CSmartComboBox)

namespace {

bool ListFiles(const CString& directory, const CString& extension, std::vector<CString>& names) {
  std::error_code error;
  std::filesystem::directory_iterator it(directory.str(), error);
  if (error) return false;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code kindError;
    if (!it->is_regular_file(kindError)) continue;
    const CFilePath path(CString(it->path().filename().string()));
    if (extension.IsEmpty() || path.GetExtension().EqualsNoCase(extension)) names.push_back(path.GetPath());
  }
  return !error;
}

}  // namespace

int CFileComboBox::SelectString(int startAfter, const char* name) {
  if (m_hWnd == nullptr) return CB_ERR;
  const int exact = FindStringExact(startAfter, name);
  if (exact == CB_ERR) return CSmartComboBox::SelectString(startAfter, name);
  SetSelected(exact);
  return exact;
}

int CFileComboBox::AddFiles(const CString& directory, const CString& extension) {
  std::vector<CString> names;
  if (m_hWnd == nullptr || !ListFiles(directory, extension, names)) {
    CString message;
    message.Format("The folder \"%s\" cannot be read.", directory);
    CAppError::SetLastErrorText(message);
    return -1;
  }
  std::sort(names.begin(), names.end());
  for (const CString& name : names) AddString(name);
  return static_cast<int>(names.size());
}
