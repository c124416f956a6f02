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

}  // namespace

const char* EditorUsage() {
  return "usage: component-editor [LIBRARY] [--open LIBRARY] [--component NAME] [--library-folder "
         "FOLDER]...\n";
}

bool ParseEditorOptions(int argc, const char* const* argv, EditorOptions& options, CString& error) {
  EditorOptions parsed;
  for (int index = 1; index < argc; ++index) {
    const std::string_view word = argv[index];
    if (word == "--open" || word == "--component") {
      CString value;
      if (!TakeValue(argc, argv, index, value, error)) return false;
      (word == "--open" ? parsed.library : parsed.component) = value;
    } else if (word == "--library-folder") {
      CString value;
      if (!TakeValue(argc, argv, index, value, error)) return false;
      parsed.libraryFolders.push_back(value);
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
  options = parsed;
  return true;
}
