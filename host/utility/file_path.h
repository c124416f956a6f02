// CFilePath: a file path taken apart into drive, directory, file name and extension,
// and joined back. Paths on this system have no drive, so the drive is always empty.
// Only '/' separates directories.
//
// Splitting "dir/sub/name.ext":
//   directory  "dir/sub/"  (with its trailing '/'; empty when the path names none)
//   file name  "name"      (without the extension)
//   extension  "ext"       (without the dot)
// The extension follows the last dot of the last component, unless that dot opens the
// name (".profile" is a name without extension) or ends it ("name." keeps its dot in
// the name), so that every path joins back to itself.
#pragma once

#include "platform/cstring.h"
#include "platform/program_path.h"
#include "platform/temp_file.h"

class CFilePath {
 public:
  CFilePath() = default;
  explicit CFilePath(const CString& path);

  // The joined path, as given: directory, file name, then '.' and the extension when
  // there is one.
  CString GetPath() const;
  void SetPath(const CString& path);
  // Joins like GetPath, so that a path can be handed on as a string.
  operator CString() const { return GetPath(); }  // NOLINT: used as a string
  // The path made absolute against the current directory, with "." and ".." resolved
  // by name (links are not followed); GetPath when the current directory is unknown.
  CString GetFullPath() const;

  CString GetDrive() const { return m_drive; }
  // Paths here carry no drive: the drive stays empty whatever is given.
  void SetDrive(const CString& drive);
  const CString& GetDirectory() const { return m_directory; }
  // A non-empty directory gets a trailing '/' when it lacks one.
  void SetDirectory(const CString& directory);
  CString GetDriveAndDirectory() const { return m_drive + m_directory; }

  const CString& GetFileName() const { return m_fileName; }
  // Taken as it is, dots included: the extension is set apart by SetExtension only.
  void SetFileName(const CString& fileName) { m_fileName = fileName; }
  const CString& GetExtension() const { return m_extension; }
  // A leading dot is dropped: "txt" and ".txt" set the same extension.
  void SetExtension(const CString& extension);
  CString GetFileNameAndExtension() const;

 private:
  CString m_drive;
  CString m_directory;
  CString m_fileName;
  CString m_extension;
};

// Shows the text file at path to the user, read-only, through the presentation
// backend, titled `title` (the file's name when empty). The backend's viewer is modal, so the call
// returns once the user has closed it and the caller may then delete the file; `wait`
// states that expectation at the call site. False, with the reason recorded as the last
// error, when the file cannot be read: nothing is shown then.
bool EditFile(const CString& path, bool wait, const CString& title = CString());
