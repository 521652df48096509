// HangmanWords: the fixed table every Hangman game draws its hidden word from, and the draw itself.
// The draw takes r (0 <= r < 1) from a replaceable source; the real source re-seeds from the clock each time.
#pragma once

#include <array>
#include <functional>
#include <string_view>

namespace hangman {

inline constexpr int WordCount = 465;
// The window has one slot per letter, so no word may be longer than this.
inline constexpr int LongestWord = 7;
inline constexpr int ShortestWord = 3;

// In capitals, in a fixed order.
extern const std::array<std::string_view, WordCount> HangmanWords;

// Where a draw gets its single-precision r, 0 <= r < 1: ClockSeededRandom::single, re-seeded from
// the clock for every game. Tests put a fixed value in its place.
using RandomSource = std::function<float()>;

// The index a draw of r names: the integer part of r x WordCount, always 0 to WordCount - 1.
int wordIndexFor(float r);

} // namespace hangman
