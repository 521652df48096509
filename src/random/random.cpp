#include "random/random.h"

#include <atomic>
#include <chrono>
#include <random>

namespace {
// Shared by every source in the process, so two sources made in the same tick do not give the same numbers.
std::uint64_t nextDrawNumber() {
    static std::atomic<std::uint64_t> draws{0};
    return ++draws;
}

constexpr double TwoToMinus53 = 1.0 / 9007199254740992.0;
constexpr float TwoToMinus24 = 1.0f / 16777216.0f;
} // namespace

std::uint64_t ClockSeededRandom::systemClock() {
    return std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

ClockSeededRandom::ClockSeededRandom(Clock clock)
    : m_clock(std::move(clock)) {}

std::uint64_t ClockSeededRandom::nextRaw() const {
    const std::uint64_t ticks = m_clock();
    const std::uint64_t draw = nextDrawNumber();
    std::seed_seq seed{std::uint32_t(ticks), std::uint32_t(ticks >> 32), std::uint32_t(draw),
                       std::uint32_t(draw >> 32)};
    std::mt19937_64 generator(seed);
    return generator();
}

double ClockSeededRandom::operator()() const {
    return double(nextRaw() >> 11) * TwoToMinus53;
}

float ClockSeededRandom::single() const {
    return float(nextRaw() >> 40) * TwoToMinus24;
}
