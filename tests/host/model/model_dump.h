// A full text dump of a design's records, read only through the public interface, so
// that two states can be compared without trusting the model's own copies.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/model/design.h"

inline std::string DumpComponent(const CComponent& record) {
  std::string out = "record " + record.GetName().str() + "|" + record.GetPackage().str() + "|" +
                    record.GetDescription().str() + "|" + record.GetPackageDescription().str() + "|" +
                    record.GetDefaultReference().str() + "|" + record.GetPcbSymbol().str() + "|" +
                    record.GetPcbComponent()->GetLibrary().str() + "|pins " +
                    std::to_string(record.GetPinCount()) + (record.IsPcbOnly() ? "|pcb only" : "") + "\n";
  if (const CScmComponent* scm = record.GetScmComponent()) {
    out += " shows";
    for (int flag = 1; flag <= 0x2000; flag <<= 1) out += scm->GetShowName(flag) ? " 1" : " 0";
    out += "\n";
  }
  POSITION position = nullptr;
  for (const CAttribute* attribute = record.GetAttributes()->First(position); attribute != nullptr;
       attribute = record.GetAttributes()->Next(position)) {
    out += " attribute " + attribute->GetName().str() + "=" + attribute->GetValue().str() + "\n";
  }
  int index = -1;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    out += " gate " + std::to_string(index) + " " + gate->GetSymbol().str() + "@" + gate->GetLibrary().str() +
           "\n";
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      out += "  " + std::to_string(terminal) + " " + gate->GetPinName(terminal).str() + " -> " +
             std::to_string(record.GetPinNumber(index, terminal)) + "\n";
    }
  }
  return out;
}

// Each gate as "index symbol pins...", found again by its index.
inline std::string Gates(const CComponent& record) {
  std::string out;
  POSITION position = nullptr;
  int index = -1;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    EXPECT_EQ(gate, record.FindGate(index));
    out += (out.empty() ? "" : ", ") + std::to_string(index) + " " + gate->GetSymbol().str();
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal)
      out += " " + std::to_string(gate->GetPinNumber(terminal));
  }
  return out;
}

inline std::string DumpDesign(const CDesign& design) {
  std::string out;
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    out += DumpComponent(*record);
  }
  return out;
}
