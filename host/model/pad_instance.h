// CPadInstance: one pad of a placed symbol. In a schematic symbol the pad is a terminal
// of the symbol instance's gate; on a PCB symbol it is a land of the package. Pin
// numbers are read from the component whenever they are asked for, so that a pad shows
// a pin-map change as soon as it is drawn again.
#pragma once

#include <memory>

#include "host/model/design_item.h"
#include "host/model/free_pad.h"
#include "host/model/text_instance.h"
#include "platform/types.h"

class CSymbolInstance;

class CPadInstance : public CDesignItem {
  DECLARE_DYNAMIC(CPadInstance)

 public:
  // `pad` belongs to the symbol instance's symbol.
  CPadInstance(CSymbolInstance* owner, const CFreePad* pad);
  ~CPadInstance() override;

  CSymbolInstance* GetSymbolInstance() const { return m_owner; }
  const CFreePad* GetPad() const { return m_pad; }
  bool IsPcbPad() const;

  // Schematic: the symbol instance's gate and the pad's own number. PCB: the first gate
  // and terminal, in gate and terminal order, that the pin map assigns to the pad's pin;
  // -1 for both when none is.
  int GetGate() const;
  int GetTerminalNumber() const;
  // Schematic: the pin the pin map gives the terminal, -1 for none. PCB: the pad's own
  // number.
  int GetPinNumber() const;
  // Drawn in the assigned-pins colour: a schematic terminal with a pin, a land that
  // some terminal is assigned to.
  bool IsAssigned() const;
  // What the pad's pin-name text shows.
  CString GetTerminalName() const;

  // Placed geometry in design units. Schematic: the pin's free end, its root at the
  // body and the way it points. PCB: the land's centre, size, shape and drill.
  CPoint GetPosition() const;
  CPoint GetPinRoot() const;
  PinDirection GetDirection() const;
  CSize GetSize() const;
  PadShape GetShape() const { return m_pad->GetShape(); }
  int GetDrill() const { return m_pad->GetDrill(); }
  // A schematic pin from free end to root; a land's box.
  CRect GetBounds() const;

  CPinNameInstance* GetPinNameText() const { return m_pinName.get(); }
  CPinNumberInstance* GetPinNumberText() const { return m_pinNumber.get(); }
  // Lays the pin name and number out beside the pad: a terminal's name inside the body
  // past the pin's root and its number above the middle of the pin; a land's number on
  // its centre and its name below it.
  void CreatePinTexts(int nameSize, int numberSize);

  void SetOwnerDesignOfAll(CDesign* design);

 private:
  bool FindAssignedTerminal(int& gate, int& terminal) const;
  void CreateSchematicPinTexts(int nameSize, int numberSize);
  void CreatePcbPinTexts(int nameSize, int numberSize);

  CSymbolInstance* m_owner;
  const CFreePad* m_pad;
  std::unique_ptr<CPinNameInstance> m_pinName;
  std::unique_ptr<CPinNumberInstance> m_pinNumber;
};
