// One component of a library file as the file format writes it, for comparing what a
// save left of the components it did not touch.
#pragma once

#include <string>
#include <vector>

#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/gate.h"

// Empty when the library holds no such component; the reason when it cannot be read.
inline std::string ComponentText(const CString& library, const char* name) {
  std::vector<LibraryComponent> components;
  CString error;
  if (!CComponentLibraryFile::Load(library, components, error)) return "unreadable: " + error.str();
  for (LibraryComponent& component : components) {
    if (component.name == name) return CComponentLibraryFile::Format({component});
  }
  return {};
}

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
