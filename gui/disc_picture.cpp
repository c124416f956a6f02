#include "gui/disc_picture.h"

namespace {

// Samples across and down each pixel to weigh how much of it the disc covers.
constexpr int kSamples = 4;

int CoveredSamples(int x, int y, int width, int height) {
  int covered = 0;
  for (int down = 0; down < kSamples; ++down) {
    for (int across = 0; across < kSamples; ++across) {
      // The sample's place with the disc's centre at 0 and its edge at 1.
      const double u = (x + (across + 0.5) / kSamples) / width * 2 - 1;
      const double v = (y + (down + 0.5) / kSamples) / height * 2 - 1;
      if (u * u + v * v <= 1) ++covered;
    }
  }
  return covered;
}

}  // namespace

wxImage MakeDiscPicture(int width, int height, const wxColour& colour) {
  wxImage picture(width, height);
  picture.InitAlpha();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.SetRGB(x, y, colour.Red(), colour.Green(), colour.Blue());
      const int covered = CoveredSamples(x, y, width, height);
      picture.SetAlpha(x, y, static_cast<unsigned char>(covered * 255 / (kSamples * kSamples)));
    }
  }
  return picture;
}
