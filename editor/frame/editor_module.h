// Start-up and shut-down of the component editor module. The host loads the module
// before it creates a component frame and unloads it after the last one is gone.
#pragma once

#include <functional>

#include "platform/cstring.h"

// Adds the module's string table and dialog templates to the application's resources
// and registers the "Invalidate.Frame" message. Loading twice does no harm.
void LoadComponentEditorModule();
// Takes the module's resources out again; the message number stays registered.
void UnloadComponentEditorModule();
bool IsComponentEditorModuleLoaded();

class CDesign;

// Runs the New Component dialog on `design` with no parent window. On OK the dialog has
// added the component's record (and its gates) to the design; true then. Cancel leaves
// the design untouched and returns false. No undo level is opened: the caller decides
// whether the new component is one step of the design's history. A `nameCheck` refuses
// in the dialog, with its recorded message, a name the component may not take (one its
// library holds already): false for such a name.
bool GetNewComponentSettings(CDesign* design, std::function<bool(const CString& name)> nameCheck = {});
