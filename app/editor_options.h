// The application's command line:
//
//   component-editor [LIBRARY] [--open LIBRARY] [--component NAME]
//                    [--self-test DIR --assign GATE:TERMINAL=PIN]
//
// LIBRARY opens with the component picker, or straight on NAME. The self-test run
// assigns the pin by clicking with the real mouse, saves the library, leaves
// screenshots in DIR and quits.
#pragma once

#include <optional>

#include "app/self_test_targets.h"
#include "platform/cstring.h"

struct EditorOptions {
  CString library;
  CString component;
  CString selfTestDirectory;
  std::optional<PinAssignment> assignment;
};

// False, with `error` naming the problem, when the words do not fit.
bool ParseEditorOptions(int argc, const char* const* argv, EditorOptions& options, CString& error);
const char* EditorUsage();
