// The draw of the next word: a number r (0 <= r < 1) from a replaceable source, turned into a word number
// that is neither 0 nor the previous word. The real source is re-seeded from the clock for every number.
#pragma once

#include <cstdint>
#include <functional>

namespace wordpot {

// Gives one r with 0 <= r < 1 per call.
using RandomSource = std::function<double()>;

// Re-seeds a generator for every number it gives, from the clock mixed with a count of the numbers given
// so far in this process: two numbers asked for within one clock tick still differ, so a redraw can
// never be stuck on the same rejected number.
class ClockSeededRandom {
public:
    using Clock = std::function<std::uint64_t()>;
    // The high-resolution clock's count since its epoch.
    static std::uint64_t systemClock();

    explicit ClockSeededRandom(Clock clock = systemClock);
    double operator()() const;

private:
    Clock m_clock;
};

// r x 23 gives 0 to 22; 0 and the previous word are drawn again until another number comes.
constexpr int DrawRange = 23;
int drawWordIndex(int lastWordIndex, const RandomSource& random);

} // namespace wordpot
