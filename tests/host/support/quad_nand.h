// A quad two-input NAND in a 14-pin package, drawn by the sample libraries' NAND2 gate
// and DIP-14 footprint; the ground and supply pins 7 and 14 carry no terminal.
#pragma once

#include "host/model/design.h"

inline CComponent* AddQuadNand(CDesign& design) {
  CComponent* nand = design.AddComponent("7400", "DIP-14");
  nand->SetPcbSymbol("DIP-14");
  nand->GetPcbComponent()->SetLibrary("footprints");
  nand->SetPinCount(14);
  const CString names[] = {"A", "B", "Y"};
  const int pins[4][3] = {{1, 2, 3}, {4, 5, 6}, {9, 10, 8}, {12, 13, 11}};
  for (int gate = 0; gate < 4; ++gate) nand->AddGate(gate, "logic", "NAND2", 3, names, pins[gate]);
  return nand;
}
