// What changed between two versions of a component library, said as a librarian says
// it: components added, removed or renamed; gates and packages added or removed;
// symbols and footprints replaced; terminals renamed; each pin of the pin map that
// moved, written in the package's pad names; attributes and descriptions changed.
//
// Only the component data counts: the order of the components in the file, of the
// members of its objects and of a record's attributes is layout, so two libraries that
// hold the same components compare equal however they were written.
#pragma once

#include <functional>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/pin_labels.h"
#include "platform/cstring.h"

struct ComponentChange {
  // A stable word for scripts: "component-added", "pin-changed", ... (docs/cli-json.md).
  CString kind;
  CString component;  // the new name for a rename
  CString package;    // empty for a change of the whole component
  CString gate;       // the gate's letter; empty when no gate is concerned
  int terminal = 0;   // 0 when no terminal is concerned
  CString before;     // empty when there was nothing
  CString after;      // empty when there is nothing now
  CString text;       // the line a reader sees, without the component's name
};

// How the pins of a package record are written: a land's name where its footprint
// names it. `newer` tells which of the two libraries the record is from.
using PinLabelSource = std::function<CPinLabels(const ComponentValue& record, bool newer)>;

// The changes from `before` to `after`, component by component in the order of
// `after` (removed components last); only the components named in `only` (ignoring
// case) when it is not empty. No changes when the two hold the same component data.
std::vector<ComponentChange> DiffComponentLibraries(const std::vector<LibraryComponent>& before,
                                                    const std::vector<LibraryComponent>& after,
                                                    const PinLabelSource& labels,
                                                    const std::vector<CString>& only = {});
