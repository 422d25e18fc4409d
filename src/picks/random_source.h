#pragma once
// The random source of the random picks: a 32-bit linear congruential
// generator that is reseeded from the millisecond clock before every draw.

#include <cstdint>
#include <functional>

namespace ssq::picks {

// The generator itself. Each draw yields 0 .. 32767.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed = 0) : m_state(seed) {}
    void seed(std::uint32_t seed) { m_state = seed; }
    std::int32_t next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<std::int32_t>((m_state >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t m_state;
};

// Milliseconds since the system started, 32 bits, wrapping.
using MillisecondClock = std::function<std::uint32_t()>;

// Reseeds from clock + seed counter and then moves the counter on by at least
// 100, so two reseeds within one millisecond still get different seeds. The
// counter outlives a source (the pick handlers keep it): it is shared by
// reference, never reset, and wraps at 32 bits.
class RandomSource {
public:
    RandomSource(std::uint32_t& seedCounter, MillisecondClock clock);

    void reseed();

    // lo + (draw mod (hi - lo + 1)); lo < hi.
    std::int32_t between(std::int32_t lo, std::int32_t hi);

private:
    std::uint32_t& m_counter;
    MillisecondClock m_clock;
    Lcg m_lcg;
};

} // namespace ssq::picks
