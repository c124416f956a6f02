// Combo boxes that offer libraries and their contents, and the look-ups that name the
// technology file a design of each kind is set up from.
//
// A library kind is a run-time class: CScmSymbolLibrary, CPcbSymbolLibrary or
// CComponentLibrary (or a class derived from one). Both combos show texts through
// CSmartComboBox::GetText: a library's file name, or a symbol's name.
#pragma once

#include "host/utility/file_combo_box.h"
#include "host/utility/smart_combo_box.h"
#include "platform/object.h"

// The library files of one kind in one directory, listed by file name with extension.
class CLibraryFileComboBox : public CFileComboBox {
  DECLARE_DYNAMIC(CLibraryFileComboBox)

 public:
  CLibraryFileComboBox() = default;

  // Lists the libraries of the kind in the directory of `startEntry` (for symbol kinds
  // also the field's .kicad_sym files or .pretty folders) and
  // selects its file name. A start entry without a directory names a file in the
  // directory of the library last used for the kind; when the file is not listed the
  // first entry is selected. False, with the reason recorded as the last error, for an
  // unknown kind, an unreadable directory, or no window; the list is empty then.
  bool Fill(const CRuntimeClass* libraryKind, const char* startEntry);

  // The selected library file in the directory the last Fill listed; empty when nothing
  // is selected.
  CString GetFullPath() const;

 private:
  // The number listed, or -1 with the last error recorded.
  int AddLibraries(const CRuntimeClass* libraryKind, const CString& extension);

  CString m_directory;
};

// The symbols of one library file, in the library's order (a sorted combo sorts them).
class CLibraryContentsComboBox : public CSmartComboBox {
  DECLARE_DYNAMIC(CLibraryContentsComboBox)

 public:
  CLibraryContentsComboBox() = default;

  // Replaces the list with the symbols of the library at `libraryPath` (of either kind)
  // and shows `text`: the symbol of that name (case ignored) is selected, any other
  // text is shown as typed, and an empty text selects nothing. A library that cannot be
  // read leaves the list empty and returns false with the reason recorded as the last
  // error.
  bool Fill(const char* libraryPath, const char* text);

  const CString& GetLibraryPath() const { return m_libraryPath; }

 private:
  void ShowText(const char* text);

  CString m_libraryPath;
};

// The directory that holds the technology files, with a trailing '/': the settings
// value "Technology"/"Directory" when set, else the program's directory, where the
// stock technologies ship.
CString GetTechnologyDirectory();
// The technology file (a name in that directory) last used for the designs of a symbol
// library kind: the settings value "Technology"/"LastScm" or "LastPcb" when set, else
// "default.scmtech" or "default.pcbtech". Empty for any other kind: no technology.
CString GetLastTechnologyFile(const CRuntimeClass* libraryKind);
