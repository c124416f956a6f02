// Generated symbols for components larger than the samples, shared by the benchmarks
// and the tests: bus gates of any number of terminals on the 0.1 inch grid, and
// grid-array footprints of any number of lands, saved into temporary libraries as the
// editor would read them.
#pragma once

#include <memory>

#include "host/model/symbol.h"
#include "host/model/symbol_library_contents.h"

// "BUS<index>": an outline, a reference placeholder and `terminals` pins, half on each
// side.
std::unique_ptr<CSymbol> MakeBusGate(int index, int terminals);
// "BGA<pads>": lands in rows of 50 under an outline, round and square by turns, drilled.
std::unique_ptr<CSymbol> MakeGridFootprint(int pads);
// Saves under a fresh temporary name ending in `extension`; false when that fails.
bool SaveTemporaryLibrary(const CSymbolLibraryContents& contents, const char* extension, CString& path);
