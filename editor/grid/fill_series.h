// Series that fill a run of pin cells: numbers from a start by a step, or the names of
// the balls of a ball grid, counted along its rows (A1, A2, ...) or down its columns
// (A1, B1, ...). Ball rows are lettered A, B, C, ... without the letters ball grids
// leave out (I, O, Q, S, X, Z); after Y come AA, AB, ... in the same letters.
#pragma once

#include <vector>

#include "platform/cstring.h"

enum class SeriesKind { Numbers, BallsAlongRows, BallsDownColumns };

struct FillSeries {
  SeriesKind kind = SeriesKind::Numbers;
  // Numbers: the first value and the difference between neighbours. Balls: the
  // position of the first ball (1 is A1) and how many balls each step moves on.
  int start = 1;
  int step = 1;
  // Balls: how many balls a row (along rows) or a column (down columns) holds.
  int lineLength = 0;
};

// The letters of ball row `index` (0 is A); empty for a negative index.
CString BallRowLetters(int index);

// The position (1 is A1) of the ball `name` ("C4", any case) in a ball series' order;
// false when the name is no ball of a grid with the series' line length.
bool BallPosition(const FillSeries& series, const CString& name, int& position);

// The series' first `count` values as text. Ball series need a line length above 0 and
// positions from 1: none are given otherwise, nor from the first position below 1 on.
std::vector<CString> SeriesValues(const FillSeries& series, int count);
