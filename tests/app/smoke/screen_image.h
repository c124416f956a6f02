// What a window showed at one moment, read back from a binary PPM file, and the places
// in it drawn in one exact colour: where the test finds the drawings, and the pad or
// terminal the editor highlights, without knowing how the window is laid out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;   // inclusive
  int bottom = 0;  // inclusive
  bool Contains(PixelPoint point) const {
    return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
  }
  int Width() const { return right - left + 1; }
};

// Pixels of one colour: those that touch each other (sideways, up or down), or all
// those of an area.
struct ColourRegion {
  long pixels = 0;
  PixelBox box;
  // A pixel of the region as near as any to the region's centre of mass: inside a
  // filled shape its middle, on a ring or a line a point of it.
  PixelPoint inside;
};

class ScreenImage {
 public:
  // False, with the reason, when the file is not a binary PPM of 8-bit samples.
  bool LoadPpm(const std::string& path, std::string& error);

  Rgb At(int x, int y) const;
  int Width() const { return m_width; }

  // The regions drawn in `colour`, largest first.
  std::vector<ColourRegion> FindRegions(Rgb colour) const;
  // Every pixel of `colour` inside `within` taken together, though a thin shape drawn
  // smoothly may fall apart into pieces of the exact colour; no pixels when none.
  ColourRegion FindColour(Rgb colour, const PixelBox& within) const;

 private:
  std::vector<PixelPoint> Flood(PixelPoint start, Rgb colour, std::vector<bool>& seen) const;
  size_t IndexOf(PixelPoint point) const;

  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t> m_samples;  // red, green, blue per pixel, rows from the top
};
