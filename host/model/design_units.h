// Lengths in symbols, libraries and technology files are whole design units of 0.1 µm,
// with y growing upwards. 25400 units are 0.1 inch (2.54 mm), the schematic grid.
#pragma once

constexpr int kUnitsPerMillimetre = 10000;
constexpr int kUnitsPerInch = 254000;
constexpr int kSchematicGrid = kUnitsPerInch / 10;

// Every coordinate and length lies within ±10 m, so sums and differences of a few of
// them never overflow an int.
constexpr int kMaxCoordinate = 1000 * kUnitsPerMillimetre * 10;
