// CPcbComponent: the PCB side of a package record, the footprint that draws the package.
#pragma once

#include "platform/cstring.h"
#include "platform/object.h"

class CPcbComponent : public CObject {
  DECLARE_DYNAMIC(CPcbComponent)

 public:
  CPcbComponent() = default;

  const CString& GetSymbol() const { return m_symbol; }
  void SetSymbol(const char* symbol) { m_symbol = symbol; }
  // The PCB symbol library file, as the library lists name it.
  const CString& GetLibrary() const { return m_library; }
  void SetLibrary(const char* library) { m_library = library; }

 private:
  CString m_symbol;
  CString m_library;
};
