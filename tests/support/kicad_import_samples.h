// Small libraries of the field's formats written for the import tests: a symbol of two
// units sharing their supply pins, a ball-grid symbol with one ball its footprint
// lacks, and footprints for them, one of them with a name of 95 bytes.
#pragma once

#include <filesystem>
#include <string>

namespace KicadImportSamples {

constexpr const char* kSymbolLibrary = "Import.kicad_sym";
constexpr const char* kFootprintFolder = "Import.pretty";
// QUAD: units A (pins 1 2 3) and B (4 5 6), both with GND 7 and VCC 14 of unit 0.
constexpr const char* kQuad = "QUAD";
// BGA5: balls A1 A2 B1 B2 and C3, which the BGA-4 footprint has no pad for.
constexpr const char* kBall = "BGA5";
constexpr const char* kDip = "DIP-14";
constexpr const char* kBallFootprint = "BGA-4";
// A footprint name longer than the 64 characters of other names.
std::string LongFootprint();

// Writes the symbol library and the footprint folder into `folder`.
void Write(const std::filesystem::path& folder);

}  // namespace KicadImportSamples
