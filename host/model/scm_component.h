// CScmComponent: the schematic side of a package record: which names the schematic and
// the PCB show for the component's instances.
#pragma once

#include "platform/object.h"

class CScmComponent : public CObject {
  DECLARE_DYNAMIC(CScmComponent)

 public:
  // Show-name flags. The PCB flags are the schematic ones shifted left by eight.
  static constexpr int kScmComponent = 0x0001;
  static constexpr int kScmReference = 0x0002;
  static constexpr int kScmPackage = 0x0004;
  static constexpr int kScmSymbol = 0x0008;
  static constexpr int kScmPinName = 0x0010;
  static constexpr int kScmPinNumber = 0x0020;
  static constexpr int kPcbComponent = kScmComponent << 8;
  static constexpr int kPcbReference = kScmReference << 8;
  static constexpr int kPcbPackage = kScmPackage << 8;
  static constexpr int kPcbSymbol = kScmSymbol << 8;
  static constexpr int kPcbPinName = kScmPinName << 8;
  static constexpr int kPcbPinNumber = kScmPinNumber << 8;
  static constexpr unsigned kAllShowNames = 0x3F3F;
  // A new component shows its reference and component name in the schematic, with the
  // terminals' names and numbers, and its reference on the PCB.
  static constexpr unsigned kDefaultShowNames =
      kScmReference | kScmComponent | kScmPinName | kScmPinNumber | kPcbReference;

  CScmComponent() = default;

  // True when every bit of `flag` is on; false for 0 and for bits that are no flag.
  bool GetShowName(int flag) const;
  // False, and nothing changed, for 0 and for bits that are no flag.
  bool SetShowName(int flag, bool show);
  unsigned GetShowNames() const { return m_showNames; }
  // Bits that are no flag are dropped.
  void SetShowNames(unsigned flags) { m_showNames = flags & kAllShowNames; }

 private:
  static bool IsKnownFlag(int flag);

  unsigned m_showNames = kDefaultShowNames;
};
