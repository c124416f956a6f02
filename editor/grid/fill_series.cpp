#include "editor/grid/fill_series.h"

#include <climits>
#include <string>

namespace {

constexpr char kBallLetters[] = "ABCDEFGHJKLMNPRTUVWY";
constexpr int kBallLetterCount = sizeof(kBallLetters) - 1;

CString BallName(const FillSeries& series, long long position) {
  const long long zeroBased = position - 1;
  long long row = 0;
  long long column = 0;
  if (series.kind == SeriesKind::BallsAlongRows) {
    row = zeroBased / series.lineLength;
    column = zeroBased % series.lineLength;
  } else {
    column = zeroBased / series.lineLength;
    row = zeroBased % series.lineLength;
  }
  CString name = BallRowLetters(static_cast<int>(row));
  name += CString(std::to_string(column + 1));
  return name;
}

}  // namespace

CString BallRowLetters(int index) {
  std::string letters;
  for (long long rest = index; rest >= 0; rest = rest / kBallLetterCount - 1)
    letters.insert(letters.begin(), kBallLetters[rest % kBallLetterCount]);
  return CString(letters);
}

std::vector<CString> SeriesValues(const FillSeries& series, int count) {
  std::vector<CString> values;
  for (int i = 0; i < count; ++i) {
    const long long value = static_cast<long long>(series.start) + static_cast<long long>(i) * series.step;
    if (value < INT_MIN || value > INT_MAX) break;
    if (series.kind == SeriesKind::Numbers) {
      values.emplace_back(std::to_string(value));
      continue;
    }
    if (series.lineLength <= 0 || value < 1) break;
    values.push_back(BallName(series, value));
  }
  return values;
}
