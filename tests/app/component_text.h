// A component's record described in one line, for comparing what a command or a save left.
#pragma once

#include <string>

#include "host/model/component.h"
#include "host/model/gate.h"

// A record in one line: package, footprint, pin count, reference, and each gate's
// symbol with its terminals' pins ("-" for none).
inline std::string Described(const CComponent& record) {
  std::string text = record.GetPackage().str() + " " + record.GetPcbComponent()->GetLibrary().str() + ":" +
                     record.GetPcbSymbol().str() + " " + std::to_string(record.GetPinCount()) + " " +
                     record.GetDefaultReference().str();
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    text += " | " + gate->GetLibrary().str() + ":" + gate->GetSymbol().str();
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      const int pin = gate->GetPinNumber(terminal);
      text += pin == CGate::kNoPin ? " -" : " " + std::to_string(pin);
    }
  }
  return text;
}
