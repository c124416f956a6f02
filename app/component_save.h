// Saving an open component into its library the way the program asks about it: before
// writing over a read-only library, and when another program changed the component in
// the file since it was opened (overwrite it, save this one as a copy, or save
// nothing). What the file could not keep (its owner) is told after the save.
#pragma once

#include <optional>
#include <string>

#include "platform/cstring.h"

class CDesign;

struct ComponentSave {
  CString path;
  // The name to save under; after a save as a copy, the copy's name, which the design's
  // records then carry too.
  CString name;
  // A component the library does not hold yet: it is added, never put in another's place.
  bool addNew = false;
  // The name the component was opened under, and its stored form then; after a save,
  // the stored form written. No form: whatever the file holds is replaced.
  CString openedName;
  std::optional<std::string> storedForm;
};

// False, after telling the user why, when nothing was saved.
bool SaveComponentAsked(CDesign& design, ComponentSave& save);
