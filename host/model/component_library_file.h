// CComponentLibraryFile: the file format of component libraries (.cmplib), versioned
// JSON described in docs/component-library-format.md. A library holds many components;
// each component holds one record per package, the form a design keeps them in.
//
// Every read checks the whole file, so a damaged library is refused before any of it is
// used or rewritten. Saving one component rewrites the file in the program's own layout:
// the other components keep their contents and, in a file the program wrote, their bytes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/component_value.h"
#include "platform/cstring.h"
#include "platform/temp_file.h"

class CDesign;

// One component of a library: its name and its package records, in file order. The
// records carry no identities (ids are 0).
struct LibraryComponent {
  CString name;
  std::vector<ComponentValue> records;
};

// What a library lists: each component's name with its package names and how many
// gates its first package record has.
struct LibraryEntry {
  CString name;
  std::vector<CString> packages;
  int gates = 0;
};

// What a save of one component must find on disk: the component as it was when it was
// opened, so that a change another writer made to it since is not silently undone.
struct ComponentSaveConditions {
  // The name the component was opened under; empty for a component new to the library.
  CString openedName;
  // Its stored form then (CComponentLibraryFile::StoredForm); none to save whatever
  // the file holds now.
  std::optional<std::string> openedForm;
  AtomicWriteOptions write;
};

enum class ComponentSaveResult { Saved, Failed, ChangedOnDisk };

class CComponentLibraryFile {
 public:
  // A change of a library's components; false, with a message, leaves the file as it was.
  using Change = std::function<bool(std::vector<LibraryComponent>& components, CString& error)>;

  // The newest version read and written, and the oldest. Version 2 allows longer names
  // of symbols (footprint names reach 95 bytes); a file is written as version 1
  // whenever its names fit, so that older programs still read it.
  static constexpr int kVersion = 2;
  static constexpr int kFirstVersion = 1;
  static constexpr int kLongSymbolNamesVersion = 2;
  static constexpr size_t kMaxNameLength = 64;
  // Of the gates' schematic symbols and the packages' PCB symbols, from version 2.
  static constexpr size_t kMaxSymbolNameLength = 1024;
  static constexpr size_t kMaxTextLength = 1024;
  static constexpr size_t kMaxPathLength = 4096;

  // ".cmplib"
  static CString GetExtension();

  // False, with a message naming source and the place, when the text is not a valid
  // library; components is left empty then.
  static bool Parse(std::string_view text, const CString& source, std::vector<LibraryComponent>& components,
                    CString& error);
  static bool Load(const CString& path, std::vector<LibraryComponent>& components, CString& error);
  // Parsing the result gives the same components; formatting those gives the same text.
  static std::string Format(const std::vector<LibraryComponent>& components);

  // The components of the file, in file order, with their packages.
  static bool ReadContents(const CString& path, std::vector<LibraryEntry>& entries, CString& error);
  // Appends the records of the component named `name` (ignoring case) to the design, in
  // file order. On failure the design is left as it was.
  static bool LoadComponent(const CString& path, const char* name, CDesign& design, CString& error);
  // The design's records of the component named `name` (ignoring case), in design
  // order, as the file holds them: without identities, under the first record's name.
  // No records when the design holds none of that name.
  static LibraryComponent CollectComponent(const CDesign& design, const char* name);
  // Puts the design's records of the component named `name` into the file in place of
  // the file's component of that name, or after the last component when the file has
  // none; a missing file becomes a new library. The file is replaced atomically and
  // only when it was a valid library and the records can be written in a form it reads
  // back; otherwise it is left as it was.
  static bool SaveComponent(const CString& path, const char* name, const CDesign& design, CString& error);
  // The same, refused with ChangedOnDisk (and the file left as it was) when the component
  // opened under conditions.openedName no longer has the stored form it had then.
  static ComponentSaveResult SaveComponent(const CString& path, const char* name, const CDesign& design,
                                           const ComponentSaveConditions& conditions, CString& error);
  // LoadComponent, also giving the component's stored form as it was read.
  static bool LoadComponent(const CString& path, const char* name, CDesign& design, std::string& storedForm,
                            CString& error);
  // A text that is equal for two components exactly when the file would hold them alike.
  static std::string StoredForm(const LibraryComponent& component);

  // Changes the library as its one writer: holds its lock (CLibraryFileLock) while it
  // reads the file (a missing file reads as an empty library when mayCreate, and is
  // refused otherwise), lets `change` edit the components, and replaces the file
  // atomically with the result. Names that are not valid UTF-8 are refused. With
  // checkReadsBack the whole result is read back before the file is touched.
  static bool Update(const CString& path, bool mayCreate, bool checkReadsBack, const Change& change,
                     const AtomicWriteOptions& options, CString& error);
};
