#include "tests/app/smoke/screen_image.h"

#include <algorithm>
#include <fstream>
#include <limits>

namespace {

// The next number of a PPM header, past white space and comments.
bool ReadHeaderNumber(std::istream& in, int& number) {
  in >> std::ws;
  while (in.peek() == '#') {
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    in >> std::ws;
  }
  return static_cast<bool>(in >> number);
}

double SquaredDistance(PixelPoint a, double x, double y) {
  const double dx = a.x - x;
  const double dy = a.y - y;
  return dx * dx + dy * dy;
}

ColourRegion Summarise(const std::vector<PixelPoint>& members) {
  ColourRegion region;
  if (members.empty()) return region;
  region.pixels = static_cast<long>(members.size());
  region.box = {members[0].x, members[0].y, members[0].x, members[0].y};
  double sumX = 0;
  double sumY = 0;
  for (const PixelPoint point : members) {
    region.box = {std::min(region.box.left, point.x), std::min(region.box.top, point.y),
                  std::max(region.box.right, point.x), std::max(region.box.bottom, point.y)};
    sumX += point.x;
    sumY += point.y;
  }
  const double centreX = sumX / static_cast<double>(members.size());
  const double centreY = sumY / static_cast<double>(members.size());
  region.inside = *std::min_element(members.begin(), members.end(), [&](PixelPoint a, PixelPoint b) {
    return SquaredDistance(a, centreX, centreY) < SquaredDistance(b, centreX, centreY);
  });
  return region;
}

}  // namespace

bool ScreenImage::LoadPpm(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int maximum = 0;
  if (!(in >> magic) || magic != "P6" || !ReadHeaderNumber(in, width) || !ReadHeaderNumber(in, height) ||
      !ReadHeaderNumber(in, maximum) || width <= 0 || height <= 0 || maximum != 255) {
    error = path + " is not a binary PPM picture with 8-bit samples";
    return false;
  }
  in.get();  // the single white-space character before the samples
  std::vector<std::uint8_t> samples(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  if (!in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size()))) {
    error = path + " ends before its last pixel";
    return false;
  }
  m_width = width;
  m_height = height;
  m_samples = std::move(samples);
  return true;
}

Rgb ScreenImage::At(int x, int y) const {
  const size_t at = IndexOf({x, y}) * 3;
  return {m_samples[at], m_samples[at + 1], m_samples[at + 2]};
}

std::vector<ColourRegion> ScreenImage::FindRegions(Rgb colour) const {
  std::vector<bool> seen(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), false);
  std::vector<ColourRegion> regions;
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      if (!seen[IndexOf({x, y})] && At(x, y) == colour)
        regions.push_back(Summarise(Flood({x, y}, colour, seen)));
    }
  }
  std::sort(regions.begin(), regions.end(),
            [](const ColourRegion& a, const ColourRegion& b) { return a.pixels > b.pixels; });
  return regions;
}

ColourRegion ScreenImage::FindColour(Rgb colour, const PixelBox& within) const {
  std::vector<PixelPoint> members;
  for (int y = std::max(within.top, 0); y <= std::min(within.bottom, m_height - 1); ++y) {
    for (int x = std::max(within.left, 0); x <= std::min(within.right, m_width - 1); ++x) {
      if (At(x, y) == colour) members.push_back({x, y});
    }
  }
  return Summarise(members);
}

std::vector<PixelPoint> ScreenImage::Flood(PixelPoint start, Rgb colour, std::vector<bool>& seen) const {
  const PixelBox image{0, 0, m_width - 1, m_height - 1};
  std::vector<PixelPoint> members;
  std::vector<PixelPoint> waiting{start};
  seen[IndexOf(start)] = true;
  while (!waiting.empty()) {
    const PixelPoint point = waiting.back();
    waiting.pop_back();
    members.push_back(point);
    for (const PixelPoint step : {PixelPoint{1, 0}, PixelPoint{-1, 0}, PixelPoint{0, 1}, PixelPoint{0, -1}}) {
      const PixelPoint next{point.x + step.x, point.y + step.y};
      if (!image.Contains(next) || seen[IndexOf(next)] || !(At(next.x, next.y) == colour)) continue;
      seen[IndexOf(next)] = true;
      waiting.push_back(next);
    }
  }
  return members;
}

size_t ScreenImage::IndexOf(PixelPoint point) const {
  return static_cast<size_t>(point.y) * static_cast<size_t>(m_width) + static_cast<size_t>(point.x);
}
