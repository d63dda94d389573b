#pragma once

#include <string>

namespace wordgleaner {

// The percent progress bar's sums, shared by every window that draws one.
// f = (position - lower) / (upper - lower) in double precision, so 29 of
// 0..100 gives 0.29 and f * 100.0 = 28.999999999999996, shown as "28%".
double BarFraction(int position, int lower, int upper);

// Truncates toward zero like a cast, but saturates instead of overflowing:
// an empty range gives an infinite fraction, a far-out position a huge one.
int TruncateToInt(double value);

// Pixels of a bar `length` pixels long that the fraction fills, not clamped:
// a position past the range gives more than the length.
int FilledLength(int length, double fraction);

// "42%" from trunc(f * 100.0); "-10%" and "150%" outside the range.
std::string PercentText(double fraction);

// What the bar shows: the owner's text, or the percentage when there is none.
std::string BarText(const std::string& ownerText, double fraction);

}  // namespace wordgleaner
