#include "app/cli_commands.h"

#include <memory>
#include <string>

#include "app/cli_check_command.h"
#include "app/cli_command_set.h"
#include "app/cli_diff_command.h"
#include "app/cli_export_command.h"
#include "app/cli_import_command.h"
#include "app/cli_library_commands.h"
#include "app/cli_pin_map_commands.h"
#include "app/cli_pinout_command.h"
#include "app/cli_scan_commands.h"
#include "app/component_renderer.h"
#include "app/pin_map_printer.h"
#include "editor/resources/component_editor_resources.h"
#include "platform/resource_registry.h"
#include "platform/temp_file.h"

namespace {

constexpr const char* kProgram = "component-editor-cli";

int PrintDialogs(std::FILE* out) {
  for (const auto& [id, dialog] : ComponentEditorResources().dialogs) {
    std::fprintf(out, "%u  \"%s\"  %d x %d dialog units, %zu controls\n", id, dialog.caption.c_str(),
                 dialog.cx, dialog.cy, dialog.controls.size());
    for (const ControlTemplate& control : dialog.controls) {
      std::fprintf(out, "      %5d %-9s %4d,%4d %4d x %-4d \"%s\"\n", control.id, control.className.c_str(),
                   control.x, control.y, control.cx, control.cy, control.text.c_str());
    }
  }
  return 0;
}

void AddDialogsCommand(CLI::App& app, CliCommandSet& commands) {
  CLI::App* command = app.add_subcommand("dialogs", "List the editor's dialogs and their controls.");
  commands.SetRunner(command, [&commands] { return PrintDialogs(commands.Out()); });
}

struct RenderWords {
  RenderRequest request;
  std::string size;
};

int Render(RenderWords& words, std::FILE* out, std::FILE* err) {
  CString error;
  if (!words.size.empty() && !ParseRenderSize(words.size.c_str(), words.request.windowSize, error)) {
    std::fprintf(err, "%s\n", error.c_str());
    return CliCommandSet::kWrongUsage;
  }
  return RenderComponent(words.request, out);
}

void AddRenderCommand(CLI::App& app, CliCommandSet& commands) {
  auto words = std::make_shared<RenderWords>();
  CLI::App* command =
      app.add_subcommand("render", "Draw a component's symbols and footprint as pictures, one per package.");
  command->add_option("LIBRARY", words->request.library, "the component library (.cmplib)")
      ->type_name("")
      ->required();
  command->add_option("COMPONENT", words->request.component, "the component to draw")
      ->type_name("")
      ->required();
  command->add_option("--package", words->request.package, "draw only this package")->type_name("NAME");
  command->add_option("--size", words->size, "the drawing window's size in pixels, WxH")->type_name("WxH");
  command->add_option("--out", words->request.outputDirectory, "the folder the pictures are written to")
      ->type_name("DIR")
      ->required();
  commands.SetRunner(command, [words, &commands] { return Render(*words, commands.Out(), commands.Err()); });
}

void AddCommands(CLI::App& app, CliCommandSet& commands) {
  AddDialogsCommand(app, commands);
  AddShowCommand(app, commands);
  AddRenderCommand(app, commands);
  AddPinMapCommands(app, commands);
  AddImportCommand(app, commands);
  AddLibraryCommands(app, commands);
  AddScanCommands(app, commands);
  AddExportKicadCommand(app, commands);
  AddCheckCommand(app, commands);
  AddDiffCommand(app, commands);
  AddPinoutCommand(app, commands);
  for (CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
    command->group("Commands");
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.get_formatter()->label("Positionals", "Arguments");
}

// The command whose words were being read, else the program itself.
const CLI::App* Chosen(const CLI::App& app) {
  const std::vector<CLI::App*> chosen = app.get_subcommands();
  return chosen.empty() ? &app : chosen.front();
}

// The help of `command`, its usage line naming the program as a user types it.
std::string HelpOf(const CLI::App& command) {
  return command.get_parent() == nullptr ? command.help() : command.help(kProgram);
}

int WrongUsage(const CLI::App& command, const std::string& problem, std::FILE* err) {
  if (!problem.empty()) std::fprintf(err, "%s\n", problem.c_str());
  std::fputs(HelpOf(command).c_str(), err);
  return CliCommandSet::kWrongUsage;
}

}  // namespace

int RunCli(int argc, char** argv, std::FILE* out, std::FILE* err) {
  CLI::App app("Reads, checks and changes component libraries without a display.", kProgram);
  app.require_subcommand(1);
  app.fallthrough();
  bool overwriteReadOnly = false;
  app.add_flag("--overwrite-read-only", overwriteReadOnly,
               "a command that writes a file may write over a read-only one");
  app.set_version_flag("--version", std::string("component-editor-cli ") + CE_VERSION);
  CliCommandSet commands(out, err);
  AddCommands(app, commands);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(HelpOf(*Chosen(app)).c_str(), out);
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::fprintf(out, "component-editor-cli %s\n", CE_VERSION);
    return 0;
  } catch (const CLI::ParseError& error) {
    return WrongUsage(*Chosen(app), error.what(), err);
  }
  if (overwriteReadOnly) SetReplaceReadOnlyFiles(true);
  const CLI::App* command = Chosen(app);
  const std::function<int()>* run = commands.Runner(command);
  if (run == nullptr) return WrongUsage(app, "", err);
  const int code = (*run)();
  return code == CliCommandSet::kWrongUsage ? WrongUsage(*command, "", err) : code;
}
