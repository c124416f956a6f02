#include "editor/grid/fill_series.h"

#include <cctype>
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

// Rows past two letters are far beyond any ball grid made.
constexpr int kMostBallRows = kBallLetterCount + kBallLetterCount * kBallLetterCount;

// The index of a ball row's letters (upper case); -1 for letters no row has.
int BallRowIndex(const std::string& letters) {
  for (int index = 0; index < kMostBallRows; ++index) {
    if (BallRowLetters(index) == letters.c_str()) return index;
  }
  return -1;
}

}  // namespace

bool BallPosition(const FillSeries& series, const CString& name, int& position) {
  const std::string text = name.str();
  std::size_t split = 0;
  std::string letters;
  for (; split < text.size() && std::isalpha(static_cast<unsigned char>(text[split])) != 0; ++split)
    letters += static_cast<char>(std::toupper(static_cast<unsigned char>(text[split])));
  const std::string digits = text.substr(split);
  if (series.kind == SeriesKind::Numbers || series.lineLength <= 0 || digits.empty() || digits.size() > 6 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const long long row = BallRowIndex(letters);
  const long long column = std::stoll(digits);
  const long long length = series.lineLength;
  if (row < 0 || column < 1) return false;
  long long found = 0;
  if (series.kind == SeriesKind::BallsAlongRows) {
    if (column > length) return false;
    found = row * length + column;
  } else {
    if (row >= length) return false;
    found = (column - 1) * length + row + 1;
  }
  if (found > INT_MAX) return false;
  position = static_cast<int>(found);
  return true;
}

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
