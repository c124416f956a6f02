// Start-up and shut-down of the component editor module. The host loads the module
// before it creates a component frame and unloads it after the last one is gone.
#pragma once

// Adds the module's string table and dialog templates to the application's resources
// and registers the "Invalidate.Frame" message. Loading twice does no harm.
void LoadComponentEditorModule();
// Takes the module's resources out again; the message number stays registered.
void UnloadComponentEditorModule();
bool IsComponentEditorModuleLoaded();
