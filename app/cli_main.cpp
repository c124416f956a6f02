// Command-line face of the editor: what can be shown without a display.
#include <cstdio>
#include <string_view>

#include "platform/resource_registry.h"
#include "resources/component_editor_resources.h"

namespace {
void PrintDialogs() {
  for (const auto& [id, dialog] : ComponentEditorResources().dialogs) {
    std::printf("%u  \"%s\"  %d x %d dialog units, %zu controls\n", id, dialog.caption.c_str(), dialog.cx,
                dialog.cy, dialog.controls.size());
    for (const ControlTemplate& control : dialog.controls) {
      std::printf("      %5d %-9s %4d,%4d %4d x %-4d \"%s\"\n", control.id, control.className.c_str(),
                  control.x, control.y, control.cx, control.cy, control.text.c_str());
    }
  }
}

int Usage() {
  std::fprintf(stderr, "usage: component-editor-cli dialogs\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "dialogs") {
    PrintDialogs();
    return 0;
  }
  return Usage();
}
