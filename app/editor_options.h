// The application's command line:
//
//   component-editor [LIBRARY] [--open LIBRARY] [--component NAME] [--library-folder FOLDER]...
//
// LIBRARY opens with the component picker, or straight on NAME. Each FOLDER offers its
// symbol libraries to the library lists of a kind the user has not chosen a library of.
#pragma once

#include <vector>

#include "platform/cstring.h"

struct EditorOptions {
  CString library;
  CString component;
  std::vector<CString> libraryFolders;
};

// False, with `error` naming the problem, when the words do not fit.
bool ParseEditorOptions(int argc, const char* const* argv, EditorOptions& options, CString& error);
const char* EditorUsage();
