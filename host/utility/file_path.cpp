#include "host/utility/file_path.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "host/utility/app_error.h"
#include "platform/backend.h"

namespace {

// Where the extension's dot is in a last path component, or -1 when it has none.
int ExtensionDot(const CString& name) {
  const int dot = name.ReverseFind('.');
  if (dot <= 0 || dot == name.GetLength() - 1) return -1;
  return dot;
}

}  // namespace

CFilePath::CFilePath(const CString& path) {
  SetPath(path);
}

CString CFilePath::GetPath() const {
  return GetDriveAndDirectory() + GetFileNameAndExtension();
}

void CFilePath::SetPath(const CString& path) {
  const int slash = path.ReverseFind('/');
  m_drive.Empty();
  m_directory = path.Left(slash + 1);
  const CString name = path.Mid(slash + 1);
  const int dot = ExtensionDot(name);
  if (dot < 0) {
    m_fileName = name;
    m_extension.Empty();
    return;
  }
  m_fileName = name.Left(dot);
  m_extension = name.Mid(dot + 1);
}

CString CFilePath::GetFullPath() const {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(GetPath().str(), error);
  if (error) return GetPath();
  return CString(absolute.lexically_normal().string());
}

void CFilePath::SetDrive(const CString&) {
  m_drive.Empty();
}

void CFilePath::SetDirectory(const CString& directory) {
  m_directory = directory;
  if (!m_directory.IsEmpty() && m_directory[m_directory.GetLength() - 1] != '/') m_directory += '/';
}

void CFilePath::SetExtension(const CString& extension) {
  m_extension = !extension.IsEmpty() && extension[0] == '.' ? extension.Mid(1) : extension;
}

CString CFilePath::GetFileNameAndExtension() const {
  if (m_extension.IsEmpty()) return m_fileName;
  return m_fileName + "." + m_extension;
}

bool EditFile(const CString& path, bool, const CString& title) {
  std::error_code error;
  const bool isFile = std::filesystem::is_regular_file(path.str(), error);
  if (!isFile || !std::ifstream(path.str()).is_open()) {
    CString message;
    message.Format("Cannot show the file \"%s\": it does not exist or cannot be read.", path);
    CAppError::SetLastErrorText(message);
    return false;
  }
  CurrentBackend().ShowTextFile(path, title.IsEmpty() ? CFilePath(path).GetFileNameAndExtension() : title);
  return true;
}
