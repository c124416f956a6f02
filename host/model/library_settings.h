// CLibrarySettings: which library file of each kind the user worked with last. The
// choice is kept in the settings, so that the next session starts where this one left
// off; on a fresh machine it is the bundled library shipped beside the program. The
// library tools hand it to the editor (CLibraryManager); the design model reads it to
// find the symbol libraries that components name without a folder.
#pragma once

#include "platform/cstring.h"
#include "platform/object.h"

class CLibrarySettings {
 public:
  // The full path of the library file last used for `kind` (CScmSymbolLibrary,
  // CPcbSymbolLibrary or CComponentLibrary, or a class derived from one): the saved
  // path, else the bundled one. Empty for any other kind.
  static CString GetLastUsedFile(const CRuntimeClass* kind);
  // Remembers `path`, made absolute, for `kind`. False for an unknown kind, an empty
  // path, or when the settings refuse the change.
  static bool SetLastUsedFile(const CRuntimeClass* kind, const CString& path);
  // The bundled library of `kind` in the program's directory; empty for an unknown kind.
  static CString GetBundledFile(const CRuntimeClass* kind);
};
