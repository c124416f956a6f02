#include "tests/support/kicad_import_samples.h"

#include "tests/support/file_text.h"

namespace KicadImportSamples {

namespace {

constexpr const char* kSymbols = R"((kicad_symbol_lib (version 20211014) (generator test_writer)
  (symbol "QUAD" (in_bom yes) (on_board yes)
    (property "Reference" "U" (id 0) (at 0 0 0) (effects (font (size 1.27 1.27))))
    (symbol "QUAD_0_1"
      (pin power_in line (at 0 -7.62 90) (length 2.54) hide (name "GND" (effects)) (number "7" (effects)))
      (pin power_in line (at 0 7.62 270) (length 2.54) hide (name "VCC" (effects)) (number "14" (effects))))
    (symbol "QUAD_1_1"
      (rectangle (start -5.08 5.08) (end 5.08 -5.08) (stroke (width 0.254)) (fill (type background)))
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "A" (effects)) (number "1" (effects)))
      (pin input line (at -7.62 -2.54 0) (length 2.54) (name "B" (effects)) (number "2" (effects)))
      (pin output line (at 7.62 0 180) (length 2.54) (name "Y" (effects)) (number "3" (effects))))
    (symbol "QUAD_2_1"
      (rectangle (start -5.08 5.08) (end 5.08 -5.08) (stroke (width 0.254)) (fill (type background)))
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "A" (effects)) (number "4" (effects)))
      (pin input line (at -7.62 -2.54 0) (length 2.54) (name "B" (effects)) (number "5" (effects)))
      (pin output line (at 7.62 0 180) (length 2.54) (name "Y" (effects)) (number "6" (effects)))))
  (symbol "BGA5" (in_bom yes) (on_board yes)
    (symbol "BGA5_1_1"
      (rectangle (start -5.08 5.08) (end 5.08 -5.08) (stroke (width 0.254)) (fill (type background)))
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "IN" (effects)) (number "A1" (effects)))
      (pin output line (at 7.62 2.54 180) (length 2.54) (name "OUT" (effects)) (number "A2" (effects)))
      (pin power_in line (at 0 7.62 270) (length 2.54) (name "VCC" (effects)) (number "B1" (effects)))
      (pin power_in line (at 0 -7.62 90) (length 2.54) (name "GND" (effects)) (number "B2" (effects)))
      (pin no_connect line (at 7.62 -2.54 180) (length 2.54) (name "~" (effects)) (number "C3" (effects)))))
)
)";

std::string Pad(const std::string& number, double x, double y) {
  return "  (pad \"" + number + "\" smd rect (at " + std::to_string(x) + " " + std::to_string(y) +
         ") (size 1.5 0.6) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
}

std::string Footprint(const std::string& name, const std::string& pads) {
  return "(footprint \"" + name + "\" (version 20211014) (generator test_writer) (layer \"F.Cu\")\n" +
         "  (fp_line (start -2 -2.5) (end 2 -2.5) (layer \"F.SilkS\") (width 0.12))\n" + pads + ")\n";
}

std::string Dip(const std::string& name) {
  std::string pads;
  for (int pin = 1; pin <= 14; ++pin)
    pads += Pad(std::to_string(pin), pin <= 7 ? -3.81 : 3.81, pin <= 7 ? 2.54 * pin : 2.54 * (15 - pin));
  return Footprint(name, pads);
}

void WriteFootprint(const std::filesystem::path& folder, const std::string& name, const std::string& text) {
  WriteFileText((folder / name) += ".kicad_mod", text);
}

}  // namespace

std::string LongFootprint() {
  return "DSUB-15-HD_Female_Horizontal_P2.29x1.98mm_EdgePinOffset8.35mm_Housed_MountingHolesOffset10.89mm";
}

void Write(const std::filesystem::path& folder) {
  WriteFileText(folder / kSymbolLibrary, kSymbols);
  const std::filesystem::path footprints = folder / kFootprintFolder;
  std::filesystem::create_directories(footprints);
  WriteFootprint(footprints, kDip, Dip(kDip));
  WriteFootprint(footprints, LongFootprint(), Dip(LongFootprint()));
  // Balls in the order a writer may put them, and a mounting hole without a number.
  const std::string balls = Pad("B2", 0.5, 0.5) + Pad("A1", -0.5, -0.5) + Pad("B1", -0.5, 0.5) +
                            Pad("A2", 0.5, -0.5) +
                            "  (pad \"\" np_thru_hole circle (at 0 2) (size 1 1) (drill 1) (layers *.Cu))\n";
  WriteFootprint(footprints, kBallFootprint, Footprint(kBallFootprint, balls));
}

}  // namespace KicadImportSamples
