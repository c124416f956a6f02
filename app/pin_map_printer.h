// Prints a component's pin map as text: what the editor's pin grid shows.
#pragma once

#include <cstdio>

class CComponent;

void PrintPinMap(std::FILE* out, const CComponent& component);
