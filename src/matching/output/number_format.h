#pragma once

#include <string>

namespace wordgleaner {

// The most decimals FormatFixed handles: value × 10^decimals must stay exact
// in 64 bits for every 53-bit significand.
inline constexpr int MaxFixedDecimals = 3;

// Prints `value` as "%.<decimals>f" does, except that a value exactly halfway
// between two neighbours (judged on the exact binary value of the double)
// rounds away from zero: 97.25 gives "97.3" and 90.125 gives "90.13", where a
// C library that rounds ties to even prints "97.2" and "90.12". A value just
// below a tie, such as 0.15 (stored as 0.1499999...), still rounds down.
// `decimals` is clamped to 0 .. MaxFixedDecimals.
std::string FormatFixed(double value, int decimals);

// The shortest text that reads back as the same double: "50" for 50.0,
// "12.5", "1e+20"; for the numbers of settings in messages and help texts.
std::string FormatShortest(double value);

// A likeliness as every output shows it (comments, patch lines, the review
// page and table): a percentage with one decimal, as "%0.1f" prints it but
// with ties rounded as above.
std::string FormatLikelinessPercent(double percent);

// The same for a score (a fraction, 1.0 is 100 %).
std::string FormatLikeliness(double score);

}  // namespace wordgleaner
