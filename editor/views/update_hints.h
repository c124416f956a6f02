// The update hints that the pin grid, the two symbol views and the component frame
// send each other through CDocument::UpdateAllViews on the design, and the objects two
// of them carry. Hint objects live on the sender's stack for one UpdateAllViews call.
#pragma once

#include <cstdint>
#include <vector>

#include "host/model/component_value.h"
#include "platform/cstring.h"
#include "platform/object.h"

class CComponent;

// The lHint values. A receiver ignores a hint it sent itself and values outside 0..7.
inline constexpr long HintComponent = 0;        // rebuild from the current component
inline constexpr long HintPicked = 1;           // pHint: the CPadInstance or CSymbolInstance picked
inline constexpr long HintClearHighlight = 2;   // drop every selection and highlight
inline constexpr long HintHighlightPin = 3;     // pHint: PackHighlightPin(gate, number)
inline constexpr long HintPinNumber = 4;        // pHint: a CPinNumberHint
inline constexpr long HintPinName = 5;          // pHint: a CPinNameHint
inline constexpr long HintComponentObject = 6;  // pHint: an object whose first member is a CComponent*
inline constexpr long HintColours = 7;          // the display colours changed
inline constexpr long HintCount = 8;

// HintHighlightPin carries no object but two signed 16-bit halves in the pointer: the
// gate index above, the number below. Gate kHighlightPcbPin marks a PCB pin number;
// any other gate, a terminal number of that gate.
inline constexpr int kHighlightPcbPin = -1;
CObject* PackHighlightPin(int gate, int number);
void UnpackHighlightPin(const CObject* packed, int& gate, int& number);

// A terminal's pin number changed (pin -1: the terminal lost its pin).
class CPinNumberHint : public CObject {
  DECLARE_DYNAMIC(CPinNumberHint)

 public:
  CPinNumberHint(const CString& symbolName, int gate, int terminal, int pin)
      : m_symbolName(symbolName), m_gate(gate), m_terminal(terminal), m_pin(pin) {}

  // The schematic symbol that draws the gate.
  const CString& GetSymbolName() const { return m_symbolName; }
  int GetGate() const { return m_gate; }
  int GetTerminal() const { return m_terminal; }
  int GetPin() const { return m_pin; }

 private:
  CString m_symbolName;
  int m_gate;
  int m_terminal;
  int m_pin;
};

// A terminal of a symbol was renamed: every gate drawn by that symbol takes the name.
class CPinNameHint : public CObject {
  DECLARE_DYNAMIC(CPinNameHint)

 public:
  CPinNameHint(const CString& symbolName, int terminal, const CString& terminalName)
      : m_symbolName(symbolName), m_terminal(terminal), m_terminalName(terminalName) {}

  const CString& GetSymbolName() const { return m_symbolName; }
  int GetTerminal() const { return m_terminal; }
  const CString& GetTerminalName() const { return m_terminalName; }

 private:
  CString m_symbolName;
  int m_terminal;
  CString m_terminalName;
};

// The object of HintComponentObject: the component to rebuild the drawings from.
class CComponentHint : public CObject {
  DECLARE_DYNAMIC(CComponentHint)

 public:
  explicit CComponentHint(CComponent* component) : m_component(component) {}
  CComponent* GetComponent() const { return m_component; }

 private:
  CComponent* m_component;  // not owned
};

// The terminals whose pins or names an undo or a redo changed in `component`, when that
// is all it changed there, so that a pane can show just those and keep the rest (the
// drawings their zoom and scroll); null for any other update of the whole component,
// which rebuilds.
const std::vector<TerminalChange>* UndoneTerminalChanges(const CObject* hintObject,
                                                         const CComponent* component);
