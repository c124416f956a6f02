// CKicadSymbolBuilder: makes the field's symbol of one package record of a component:
// one unit per gate, drawn by the gate's schematic symbol, with a pin per terminal
// numbered as the package's footprint names its pin. A pin that every gate draws alike
// (a supply) goes once into the part all units share; what the field's format cannot say
// as this program does is reported as a note. Symbol and footprint libraries are opened
// once per builder and kept open while it lives.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/kicad/kicad_pin_kinds.h"
#include "host/kicad/kicad_symbol_writer.h"
#include "host/model/pin_labels.h"
#include "platform/cstring.h"

class CComponent;
class CGate;
class CSymbol;
class CScmSymbolLibrary;
class CPcbSymbolLibrary;

class CKicadSymbolBuilder {
 public:
  struct Settings {
    CString componentLibrary;  // whose records name the symbol libraries
    bool writeFootprints = false;
    CString footprintNickname;  // of the footprints written
  };

  // A terminal left without a pin in its package.
  struct Unnumbered {
    std::string where;  // component, package, gate and terminal
  };

  // A footprint of this program's libraries, to be written as a .kicad_mod file.
  struct Footprint {
    std::string name;
    CString libraryPath;
    std::string text;
  };

  explicit CKicadSymbolBuilder(Settings settings);
  ~CKicadSymbolBuilder();

  // The symbol named `name` of `record` of component `component`. False, with the
  // reason, when a symbol or footprint it needs cannot be read. Its notes, terminals
  // without a pin and footprints to write join the builder's lists below.
  bool Build(const CString& component, const CComponent& record, const std::string& name,
             CKicadSymbolWriter::Symbol& symbol, CString& error);

  std::vector<CString>& Notes() { return m_notes; }
  std::vector<Unnumbered>& UnnumberedTerminals() { return m_unnumbered; }
  // By name, in name order.
  const std::map<std::string, Footprint>& Footprints() const { return m_footprints; }

  // Whether `name` can name a symbol, a footprint or a library of the field's files;
  // false with the character that cannot be in it.
  static bool IsValidName(const std::string& name, std::string& refused);

 private:
  struct Resolved;
  bool ResolveFootprint(const CString& component, const CComponent& record, Resolved& resolved,
                        CString& error);
  bool AddUnit(const CString& component, const CComponent& record, const CGate& gate,
               const Resolved& resolved, CKicadSymbolWriter::Unit& unit, CString& error);
  const CSymbol* GateSymbol(const CString& component, const CGate& gate, CString& path, CString& error);
  const std::vector<CKicadPinKinds::Kind>* PinKinds(const CString& path, const CString& symbol,
                                                    CString& error);
  void ShareCommonPins(const CString& component, const CComponent& record,
                       CKicadSymbolWriter::Symbol& symbol);

  Settings m_settings;
  std::map<CString, CString> m_scmPaths;
  std::map<CString, std::unique_ptr<CScmSymbolLibrary>> m_scmLibraries;
  std::map<CString, std::unique_ptr<CPcbSymbolLibrary>> m_pcbLibraries;
  std::map<std::pair<CString, CString>, std::vector<CKicadPinKinds::Kind>> m_pinKinds;
  std::vector<CString> m_notes;
  std::vector<Unnumbered> m_unnumbered;
  std::map<std::string, Footprint> m_footprints;
};
