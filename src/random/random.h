// The classic pair of re-seeding the generator from the clock and drawing r (0 <= r < 1), as one call.
// No Qt at all: both word draws use it as their real source.
#pragma once

#include <cstdint>
#include <functional>

// Every number comes from a fresh generator seeded from the clock mixed with a count of the numbers drawn
// so far in this process: two draws within one clock tick still differ, so a redraw of a rejected number
// can never be stuck on it.
class ClockSeededRandom {
public:
    using Clock = std::function<std::uint64_t()>;
    // The high-resolution clock's count since its epoch.
    static std::uint64_t systemClock();

    explicit ClockSeededRandom(Clock clock = systemClock);
    // Double precision: 53 random bits, exactly representable and always below 1.
    double operator()() const;
    // Single precision: 24 random bits, so r x N is exact in double for any table size.
    float single() const;

private:
    std::uint64_t nextRaw() const;
    Clock m_clock;
};
