#include "app/editor_options.h"

#include <string_view>

namespace {

bool TakeValue(int argc, const char* const* argv, int& index, CString& value, CString& error) {
  if (index + 1 >= argc) {
    error.Format("%s needs a value.", argv[index]);
    return false;
  }
  value = argv[++index];
  return true;
}

bool CheckSelfTest(const EditorOptions& options, CString& error) {
  if (options.selfTestDirectory.IsEmpty() && !options.assignment.has_value()) return true;
  if (options.selfTestDirectory.IsEmpty() || !options.assignment.has_value() || options.component.IsEmpty() ||
      options.library.IsEmpty()) {
    error = "--self-test needs --assign, a library and --component.";
    return false;
  }
  return true;
}

}  // namespace

const char* EditorUsage() {
  return "usage: component-editor [LIBRARY] [--open LIBRARY] [--component NAME]\n"
         "                        [--self-test DIR --assign GATE:TERMINAL=PIN]\n";
}

bool ParseEditorOptions(int argc, const char* const* argv, EditorOptions& options, CString& error) {
  EditorOptions parsed;
  for (int index = 1; index < argc; ++index) {
    const std::string_view word = argv[index];
    CString value;
    if (word == "--open" || word == "--component" || word == "--self-test" || word == "--assign") {
      if (!TakeValue(argc, argv, index, value, error)) return false;
    }
    if (word == "--open") {
      parsed.library = value;
    } else if (word == "--component") {
      parsed.component = value;
    } else if (word == "--self-test") {
      parsed.selfTestDirectory = value;
    } else if (word == "--assign") {
      PinAssignment assignment;
      if (!ParsePinAssignment(value.str(), assignment)) {
        error.Format("--assign wants GATE:TERMINAL=PIN, such as 0:1=14, not \"%s\".", value.c_str());
        return false;
      }
      parsed.assignment = assignment;
    } else if (word.starts_with("-")) {
      error.Format("Unknown option \"%s\".", argv[index]);
      return false;
    } else if (parsed.library.IsEmpty()) {
      parsed.library = argv[index];
    } else {
      error.Format("Only one library can be named; \"%s\" is one too many.", argv[index]);
      return false;
    }
  }
  if (!parsed.component.IsEmpty() && parsed.library.IsEmpty()) {
    error = "--component needs a library.";
    return false;
  }
  if (!CheckSelfTest(parsed, error)) return false;
  options = parsed;
  return true;
}
