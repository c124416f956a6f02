// The object of HintComponentObject as the pin grid reads it: the component the
// drawings rebuild from, followed by one of its gates and that gate's index, so that
// the grid can add the gate's column (and its block when the symbol is new) without a
// refill. Nothing in the editor sends it; a host adding a gate of its own may.
#pragma once

#include "editor/views/update_hints.h"

class CGate;

class CComponentGateHint : public CComponentHint {
  DECLARE_DYNAMIC(CComponentGateHint)

 public:
  CComponentGateHint(CComponent* component, CGate* gate, int gateIndex)
      : CComponentHint(component), m_gate(gate), m_gateIndex(gateIndex) {}

  CGate* GetGate() const { return m_gate; }
  int GetGateIndex() const { return m_gateIndex; }

 private:
  CGate* m_gate;  // not owned
  int m_gateIndex;
};
