// Where the application asks the user for a file, or shows one on the desktop. The
// screen answers with its file chooser and file manager; tests script the answers.
#pragma once

#include "platform/cstring.h"

class FilePrompt {
 public:
  virtual ~FilePrompt() = default;
  // A library to open, starting in `folder`; empty when the user cancels.
  virtual CString AskLibraryToOpen(const CString& folder) = 0;
  // Where to save a component, proposing `suggested`; empty when the user cancels.
  virtual CString AskLibraryToSave(const CString& suggested) = 0;
  // Opens the folder in the desktop's file manager; false when it could not.
  virtual bool ShowFolder(const CString& folder) = 0;
  // A pin map file (.csv or .tsv) to import, or where to export one, proposing
  // `suggested`; empty when the user cancels.
  virtual CString AskPinMapToOpen(const CString& folder) = 0;
  virtual CString AskPinMapToSave(const CString& suggested) = 0;
  // A chip maker's pin table to import (.csv, .tsv or the .txt of package files);
  // empty when the user cancels.
  virtual CString AskPinTableToOpen(const CString& folder) = 0;
  // A folder, starting in `folder`; empty when the user cancels.
  virtual CString AskFolder(const CString& title, const CString& folder) = 0;
};
