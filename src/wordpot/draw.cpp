#include "wordpot/draw.h"

#include "wordpot/wordlist.h"

#include <atomic>
#include <chrono>
#include <random>

namespace wordpot {
namespace {
// Shared by every source in the process, so two sources made in the same tick do not give the same numbers.
std::uint64_t nextDrawNumber() {
    static std::atomic<std::uint64_t> draws{0};
    return ++draws;
}

constexpr double TwoToMinus53 = 1.0 / 9007199254740992.0;
} // namespace

std::uint64_t ClockSeededRandom::systemClock() {
    return std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

ClockSeededRandom::ClockSeededRandom(Clock clock)
    : m_clock(std::move(clock)) {}

double ClockSeededRandom::operator()() const {
    const std::uint64_t ticks = m_clock();
    const std::uint64_t draw = nextDrawNumber();
    std::seed_seq seed{std::uint32_t(ticks), std::uint32_t(ticks >> 32), std::uint32_t(draw),
                       std::uint32_t(draw >> 32)};
    std::mt19937_64 generator(seed);
    // The top 53 bits make a double that is exactly representable and always below 1.
    return double(generator() >> 11) * TwoToMinus53;
}

int drawWordIndex(int lastWordIndex, const RandomSource& random) {
    for (;;) {
        const int index = int(random() * DrawRange);
        if (index > NoWord && index <= WordCount && index != lastWordIndex)
            return index;
    }
}

} // namespace wordpot
