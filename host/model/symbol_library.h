// Libraries of symbols. CLibrary names a library file and opens it for reading;
// CSymbolLibrary hands out copies of its symbols. The run-time classes are the kind tags
// that choose a kind of library: CScmSymbolLibrary for schematic symbols (.scmlib),
// CPcbSymbolLibrary for PCB symbols (.pcblib), CComponentLibrary for components.
//
// Opening is cheap when the file has not changed since it was last parsed: parsed
// libraries are shared from a small cache keyed by path, modification time and size.
// The field's libraries are opened by their names alone; a symbol of one is read when
// first found, so that a drawing reads only what it shows.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "host/model/symbol.h"
#include "host/model/symbol_kind.h"
#include "platform/cstring.h"
#include "platform/object.h"

class CKicadOnDemandLibrary;
class CSymbolLibraryContents;

class CLibrary : public CObject {
  DECLARE_DYNAMIC(CLibrary)

 public:
  // Closes the library when it was open.
  void SetPath(const CString& path);
  // The path's last component.
  CString GetFileName() const;

  // False, with the reason as the application's last error, when the file cannot be
  // read or is not a valid library of this kind. An open library is closed first.
  bool OpenRead();
  bool OpenRead(const CString& path);
  void Close();
  bool IsOpen() const { return m_open; }

 protected:
  CLibrary() = default;
  explicit CLibrary(CString path) : m_path(std::move(path)) {}

  virtual bool Load(const CString& path, CString& error) = 0;
  virtual void Unload() = 0;

 private:
  CString m_path;
  bool m_open = false;
};

class CSymbolLibrary : public CLibrary {
  DECLARE_DYNCREATE(CSymbolLibrary)

 public:
  // A plain symbol library opens files of either kind.
  CSymbolLibrary() = default;
  explicit CSymbolLibrary(CString path) : CLibrary(std::move(path)) {}

  // The kind of the open library; nothing when closed.
  std::optional<SymbolKind> GetKind() const;

  // A new copy of the symbol with that name (compared ignoring case), or null when the
  // library is not open or holds no such symbol.
  std::unique_ptr<CSymbol> Read(const CString& name) const;
  // As Read, but a failure also records the last error "Symbol X not found in library
  // Y", Y being the library's file name.
  std::unique_ptr<CSymbol> ReadSymbol(const CString& name) const;
  // The library's own symbol, valid while it stays open; null as for Read.
  const CSymbol* Find(const CString& name) const;
  // In file order; empty when closed.
  std::vector<CString> SymbolNames() const;
  // What of the open library could not be read, one located message each (a library of
  // the field's formats is read in part when some of it is damaged, and is read in full
  // for this).
  std::vector<CString> Problems() const;

  // Opens a library of the given kind (a run-time class derived from CSymbolLibrary),
  // reads one symbol and closes it again. With completeExtension, a path whose file
  // name has no extension gets the kind's, and libraryPath is updated to match. Null,
  // with the last error recorded, when the library or the symbol cannot be read.
  static std::unique_ptr<CSymbol> ReadSymbol(const CRuntimeClass* kind, CString& libraryPath,
                                             const CString& name, bool completeExtension);
  // The names of the library at `path` in file order, as SymbolNames gives them, kept
  // while the file stays the same so that searching many libraries again is cheap.
  // False, with the last error recorded, when the library cannot be read or is not of
  // the kind (a run-time class derived from CSymbolLibrary; any kind for others).
  static bool ReadNames(const CRuntimeClass* kind, const CString& path, std::vector<CString>& names);
  // The file extension, with its dot, of a kind; empty for other classes.
  static CString ExtensionOf(const CRuntimeClass* kind);
  static const CRuntimeClass* ClassOf(SymbolKind kind);

 protected:
  // The kind this class accepts; nothing accepts both.
  virtual std::optional<SymbolKind> RequiredKind() const { return std::nullopt; }
  bool Load(const CString& path, CString& error) override;
  void Unload() override;

 private:
  std::shared_ptr<const CSymbolLibraryContents> m_contents;
  // A library of the field's formats, read a symbol at a time.
  std::shared_ptr<const CKicadOnDemandLibrary> m_onDemand;
};

class CScmSymbolLibrary : public CSymbolLibrary {
  DECLARE_DYNCREATE(CScmSymbolLibrary)

 public:
  CScmSymbolLibrary() = default;
  explicit CScmSymbolLibrary(CString path) : CSymbolLibrary(std::move(path)) {}
  // ".scmlib"
  static CString GetExtension();

 protected:
  std::optional<SymbolKind> RequiredKind() const override { return SymbolKind::Schematic; }
};

class CPcbSymbolLibrary : public CSymbolLibrary {
  DECLARE_DYNCREATE(CPcbSymbolLibrary)

 public:
  CPcbSymbolLibrary() = default;
  explicit CPcbSymbolLibrary(CString path) : CSymbolLibrary(std::move(path)) {}
  // ".pcblib"
  static CString GetExtension();

 protected:
  std::optional<SymbolKind> RequiredKind() const override { return SymbolKind::Pcb; }
};

// The kind tag of component libraries.
class CComponentLibrary : public CLibrary {
  DECLARE_DYNAMIC(CComponentLibrary)
};
