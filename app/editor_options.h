// The application's command line:
//
//   component-editor [LIBRARY] [--open LIBRARY] [--component NAME]
//
// LIBRARY opens with the component picker, or straight on NAME.
#pragma once

#include "platform/cstring.h"

struct EditorOptions {
  CString library;
  CString component;
};

// False, with `error` naming the problem, when the words do not fit.
bool ParseEditorOptions(int argc, const char* const* argv, EditorOptions& options, CString& error);
const char* EditorUsage();
