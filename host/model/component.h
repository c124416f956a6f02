// CComponent: one package record of a library component. A design holds one record per
// package; the records of a component share its name, and each has its own package,
// PCB symbol, pin count and pin map. The gates, the symbols that draw them and their
// terminal names are the component's: each record keeps a copy, and the operations
// that add gates and name terminals change every record of the component alike. The
// record owns its gates, kept in ascending gate index, which is also the order
// FirstGate/NextGate list them in.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/model/attribute.h"
#include "host/model/component_value.h"
#include "host/model/design_item.h"
#include "host/model/gate.h"
#include "host/model/pcb_component.h"
#include "host/model/scm_component.h"
#include "platform/position.h"

class CComponent : public CDesignItem {
  DECLARE_DYNAMIC(CComponent)

 public:
  static constexpr int kMaxGateIndex = 0x7FFF;

  // An id of 0 gives the record a fresh identity.
  CComponent(const char* name, const char* package, std::uint64_t id = 0);
  ~CComponent() override;

  std::uint64_t GetId() const { return m_id; }

  const CString& GetName() const { return m_name; }
  void SetName(const char* name) { m_name = name; }
  const CString& GetPackage() const { return m_package; }
  void SetPackage(const char* package) { m_package = package; }
  const CString& GetDescription() const { return m_description; }
  void SetDescription(const char* description) { m_description = description; }
  const CString& GetPackageDescription() const { return m_packageDescription; }
  void SetPackageDescription(const char* description) { m_packageDescription = description; }
  const CString& GetDefaultReference() const { return m_defaultReference; }
  void SetDefaultReference(const char* reference) { m_defaultReference = reference; }

  // The package's PCB symbol; its library is on the PCB side.
  const CString& GetPcbSymbol() const { return m_pcb.GetSymbol(); }
  void SetPcbSymbol(const char* symbol) { m_pcb.SetSymbol(symbol); }
  CPcbComponent* GetPcbComponent() { return &m_pcb; }
  const CPcbComponent* GetPcbComponent() const { return &m_pcb; }
  // Null for a PCB-only component, which has no schematic side.
  CScmComponent* GetScmComponent() { return m_pcbOnly ? nullptr : &m_scm; }
  const CScmComponent* GetScmComponent() const { return m_pcbOnly ? nullptr : &m_scm; }
  bool IsPcbOnly() const { return m_pcbOnly; }
  void SetPcbOnly(bool pcbOnly) { m_pcbOnly = pcbOnly; }

  // The number of pads of the package.
  int GetPinCount() const { return m_pinCount; }
  // Refuses a negative count.
  bool SetPinCount(int pins);

  // Adds a gate drawn by `symbol` of `library` with `pins` terminals, in every record of
  // the component: a gate, its symbol and its terminal names are the component's, only
  // the pins are the package's. Every record takes `names` (empty names for a null
  // array), this one alone takes `numbers` (no pins for a null array); the arrays are
  // read for the first `pins` entries. A gate already at `index` moves up by one to
  // make room, pushing the gates directly above it along, and the other records make
  // room alike. A record that still holds a gate at `index` where this one held none
  // (the gate is being replaced here, after DeleteGate) keeps that gate and its pins,
  // now drawn and named as the new one. Refuses (null, with the last error, no record
  // changed) negative or too large indexes and pin counts, and a gate no record has
  // room for.
  CGate* AddGate(int index, const char* library, const char* symbol, int pins, const CString* names,
                 const int* numbers);
  // Gives this record a pin map of `pins` terminals for gate `index`, with `numbers`
  // (no pins for a null array). An existing gate keeps its symbol and terminal names;
  // a new one takes them from the first other record of the component that has the
  // gate.
  CGate* AddPcbGate(int index, int pins, const int* numbers);
  // Removes the gate from this record alone. False when the record has no such gate.
  bool DeleteGate(int index);
  // Removes the gate from every record of the component that has it. False when this
  // record has no such gate.
  bool DeleteGateFromEveryPackage(int index);
  // Draws the gate of this record alone with another symbol of `pads` terminals; the
  // terminals it keeps keep their names and pins. A null library keeps the gate's
  // library. False when the record has no such gate.
  bool ReplaceGateSymbol(int index, const char* symbol, const char* library, int pads);

  // Null when the record has no gate with the index.
  CGate* FindGate(int index) const;
  CGate* FirstGate() const { return m_gates.empty() ? nullptr : m_gates.front().get(); }
  CGate* FirstGate(POSITION& position, int& index) const;
  CGate* NextGate(POSITION& position, int& index) const;
  int CountGates() const { return static_cast<int>(m_gates.size()); }
  // The terminals of every gate.
  int CountTerminals() const;

  // -1 when the gate or terminal does not exist.
  int GetPinNumber(int gate, int terminal) const;
  // Keeps any pin as given (-1: no pin). Refuses (false, with the last error) a
  // missing gate or terminal.
  bool SetPinNumber(int gate, int terminal, int pin);
  // Empty when the gate or terminal does not exist.
  CString GetPinName(int gate, int terminal) const;
  // Names the terminal in every record of the component (see CGate::SetPinName).
  bool SetPinName(int gate, int terminal, const char* name);
  // The first terminal, in gate order and then terminal order, that carries `pin`.
  bool GetGateAndTerminal(int pin, int& gate, int& terminal) const;
  // Every (gate index, terminal) that carries `pin`, in gate and terminal order; none
  // for -1.
  const std::vector<std::pair<int, int>>& TerminalsOfPin(int pin) const;

  CAttribute* FindAttribute(const char* name) const { return m_attributes.Find(name); }
  CAttribute* AddAttribute(const char* name, const char* value) { return m_attributes.Add(name, value); }
  CAttributeList* GetAttributes() { return &m_attributes; }
  const CAttributeList* GetAttributes() const { return &m_attributes; }

  // The record's value, for copies and undo.
  ComponentValue GetValue() const;
  // Takes every field of `value` but the record's identity. Gates whose id the value
  // names keep their objects; gates with id 0 are made anew.
  void RestoreValue(const ComponentValue& value);
  // Takes the pins and names of the listed terminals from `value`, a value of this
  // record that differs from it in those terminals alone.
  void RestoreTerminals(const ComponentValue& value, const std::vector<TerminalChange>& changes);

 private:
  friend class CGate;

  using GateList = std::vector<std::unique_ptr<CGate>>;

  GateList::const_iterator LowerBound(int index) const;
  // False, with the last error, for an index or pin count a gate cannot have.
  bool CheckGateShape(int index, int pins) const;
  bool RefuseGateIndex(int index) const;
  bool RefusePinCount(int pins) const;
  bool RefuseMissingGate(int index) const;
  // The first index above the run of gates that starts at `index`; `index` itself when
  // the record has no gate there.
  int EndOfRun(int index) const;
  bool HasRoomForGate(int index) const;
  bool MakeRoomForGate(int index);
  CGate* InsertGate(GateValue value);
  // The other records' share of AddGate: `added` is this record's new gate, `madeRoom`
  // whether this record moved gates up for it.
  void TakeAddedGate(const CGate& added, bool madeRoom);
  // The other records of this component in its design, in design order.
  std::vector<CComponent*> OtherRecords() const;
  const CGate* FindSiblingGate(int index) const;
  void InvalidatePinIndex() { m_pinIndexValid = false; }
  void BuildPinIndex() const;
  // One terminal's pin changed from `from` to `to`.
  void MovePinInIndex(int gate, int terminal, int from, int to);

  std::uint64_t m_id;
  CString m_name;
  CString m_package;
  CString m_description;
  CString m_packageDescription;
  CString m_defaultReference;
  int m_pinCount = 0;
  bool m_pcbOnly = false;
  CPcbComponent m_pcb;
  CScmComponent m_scm;
  CAttributeList m_attributes;
  GateList m_gates;

  // Pin number to its (gate index, terminal) pairs in gate and terminal order; kept
  // right by each terminal's pin change, rebuilt after any other change of the pin map.
  mutable std::unordered_map<int, std::vector<std::pair<int, int>>> m_pinIndex;
  mutable bool m_pinIndexValid = false;
};
