// CComponentLibraryEdit: the changes a user makes to a component library as a whole:
// a new empty library, and adding, copying, renaming and deleting one component.
//
// Every change holds the library's lock (CLibraryFileLock) from reading it to replacing
// it, so that changes of two writers both land. It reads the whole library first, so a
// damaged file is refused before any of it is rewritten; it then checks that the
// changed library reads back, and replaces the file atomically (temporary file, then
// rename). A refused or failed change leaves
// the file as it was, and each message names the library, the component and the
// reason. The components not touched keep their contents and, in a file the program
// wrote, their bytes. Names are compared ignoring case, as the library itself does.
#pragma once

#include "host/model/component_library_file.h"
#include "platform/cstring.h"

class CDesign;

class CComponentLibraryEdit {
 public:
  // Writes a library with no components; refuses a path where a file already is.
  static bool CreateLibrary(const CString& path, CString& error);
  // True when the library holds a component of that name; false, with `error` empty,
  // when it does not, and false with a message when it cannot be read. A missing file
  // holds nothing.
  static bool HasComponent(const CString& path, const char* name, CString& error);
  // Appends the design's records of the component `name` as a new component of the
  // library; a missing file becomes a new library. Refuses a name the library holds.
  static bool AddComponent(const CString& path, const char* name, const CDesign& design, CString& error,
                           const AtomicWriteOptions& options = {});
  static bool AddComponent(const CString& path, LibraryComponent component, CString& error,
                           const AtomicWriteOptions& options = {});
  // Puts a copy of the component, under `newName`, right after it.
  static bool CopyComponent(const CString& path, const char* name, const char* newName, CString& error);
  // Gives the component another name in its place; a change of case alone is allowed.
  static bool RenameComponent(const CString& path, const char* name, const char* newName, CString& error);
  static bool DeleteComponent(const CString& path, const char* name, CString& error);
};
