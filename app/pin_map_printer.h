// Prints a component's pin map as text: what the editor's pin grid shows.
#pragma once

#include <cstdio>

class CComponent;
class CPinLabels;

// Pins are written as `labels` writes them: by their lands' names where the footprint
// names them.
void PrintPinMap(std::FILE* out, const CComponent& component, const CPinLabels& labels);
