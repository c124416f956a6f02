// CLibraryManager: which library file of each kind the user worked with last. The
// choice is kept in the settings, so that the next session starts where this one left
// off; on a fresh machine it is the sample library shipped beside the program. The
// design model keeps the values (CLibrarySettings), since it looks for symbol
// libraries beside the last-used ones too.
#pragma once

#include "platform/cstring.h"
#include "platform/object.h"

class CLibraryManager {
 public:
  // The full path of the library file last used for `kind` (CScmSymbolLibrary,
  // CPcbSymbolLibrary or CComponentLibrary, or a class derived from one): the saved
  // path, else the default. Empty for any other kind.
  static CString GetSavedFileName(const CRuntimeClass* kind);
  // Remembers `path`, made absolute, for `kind`. False for an unknown kind, an empty
  // path, or when the settings refuse the change.
  static bool SetSavedFileName(const CRuntimeClass* kind, const CString& path);
  // The bundled library of `kind` in the program's directory; empty for an unknown kind.
  static CString GetDefaultFileName(const CRuntimeClass* kind);
};
