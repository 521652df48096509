// The draw of the next word: a number r (0 <= r < 1) from a replaceable source, turned into a word number
// that is neither 0 nor the previous word. The real source is re-seeded from the clock for every number.
#pragma once

#include <functional>

namespace wordpot {

// Gives one r with 0 <= r < 1 per call; the real one is ClockSeededRandom.
using RandomSource = std::function<double()>;

// r x 23 gives 0 to 22; 0 and the previous word are drawn again until another number comes.
constexpr int DrawRange = 23;
int drawWordIndex(int lastWordIndex, const RandomSource& random);

} // namespace wordpot
