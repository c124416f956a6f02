#include "app/pin_map_printer.h"

#include "host/model/component.h"
#include "host/model/gate.h"
#include "host/model/gate_names.h"
#include "host/model/pin_labels.h"

namespace {
void PrintGate(std::FILE* out, const CComponent& component, int index, const CGate& gate,
               const CPinLabels& labels) {
  std::fprintf(out, "  gate %s  %s (%s)\n", GateString(index).c_str(), gate.GetSymbol().c_str(),
               gate.GetLibrary().c_str());
  for (int terminal = 1; terminal <= gate.CountPins(); ++terminal) {
    const int pin = component.GetPinNumber(index, terminal);
    const CString shown = pin == -1 ? CString("-") : labels.Text(pin);
    std::fprintf(out, "    %4d  %-12s pin %s\n", terminal, component.GetPinName(index, terminal).c_str(),
                 shown.c_str());
  }
}
}  // namespace

void PrintPinMap(std::FILE* out, const CComponent& component, const CPinLabels& labels) {
  std::fprintf(out, "%s in %s (PCB symbol %s)\n", component.GetName().c_str(), component.GetPackage().c_str(),
               component.GetPcbSymbol().c_str());
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    PrintGate(out, component, index, *gate, labels);
  }
}
