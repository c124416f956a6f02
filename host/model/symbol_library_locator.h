// CSymbolLibraryLocator: the file that a symbol library name in a component record
// stands for. A name without an extension gets the kind's. A name with a folder is a
// path: an absolute one stays as it is, a relative one is taken from the component
// library's folder. A name without a folder is looked for, in this order:
//   1. beside the component library file, where a library copied with its symbol
//      libraries keeps them;
//   2. beside the library of the kind last used (CLibrarySettings), where the library
//      lists of the dialogs find every library of the kind;
//   3. beside the program, among the bundled libraries.
// The first folder that holds the file wins.
#pragma once

#include <vector>

#include "host/model/symbol_kind.h"
#include "platform/cstring.h"

class CSymbolLibraryLocator {
 public:
  // `componentLibraryFile` is the library whose records name the symbol libraries;
  // empty when there is none, and then the first place is left out.
  CSymbolLibraryLocator(SymbolKind kind, const CString& componentLibraryFile);

  // A folder looked in, with a trailing '/', and what it is to the user.
  struct Place {
    CString folder;
    CString description;
  };
  // The places a name without a folder is looked for in, in order; a folder that two
  // places share is looked in once, under the first. The folder of the library last
  // used counts as the bundled libraries' when it is theirs.
  std::vector<Place> GetSearchPlaces() const;

  // The path `name` stands for: a name without a folder in the first place that holds
  // it, or beside the component library (in the first place) when none does, so that
  // opening it reports the file missing there. Empty for an empty name.
  CString GetPath(const CString& name) const;
  // As GetPath, but false, with a message naming every place looked in recorded as the
  // last error, when a name without a folder is in none of them.
  bool Find(const CString& name, CString& path) const;

  // The symbol libraries of a kind in `folder`, by name: this program's files of the
  // kind, and the field's .kicad_sym files (schematic) or NAME.pretty folders (PCB).
  // False when the folder cannot be read.
  static bool ListLibraries(const CString& folder, SymbolKind kind, std::vector<CString>& names);
  // For each kind whose last used library is still the bundled one (the user has not
  // chosen), makes the first library of the kind in `folder` the last used, so that the
  // library lists offer the folder. The number of kinds that took one.
  static int OfferFolder(const CString& folder);

 private:
  // False when a name without a folder is in none of the places; `path` then names it
  // in the first place.
  bool Locate(const CString& name, CString& path) const;
  CString WithExtension(const CString& name) const;
  // The path of a name without a folder, or empty when no place holds it.
  CString Search(const CString& fileName) const;
  CString NowhereMessage(const CString& fileName) const;

  SymbolKind m_kind;
  CString m_componentFolder;  // with a trailing '/'; empty without a component library
};
