#include "picks/random_source.h"

#include <utility>

namespace ssq::picks {

RandomSource::RandomSource(std::uint32_t& seedCounter, MillisecondClock clock)
    : m_counter(seedCounter), m_clock(std::move(clock)) {}

void RandomSource::reseed() {
    const std::uint32_t seed = m_clock() + m_counter;
    m_lcg.seed(seed);
    m_counter += (seed & 0xFFu) + 100u;
}

std::int32_t RandomSource::between(std::int32_t lo, std::int32_t hi) {
    const std::int64_t span = static_cast<std::int64_t>(hi) - lo + 1;
    return static_cast<std::int32_t>(lo + m_lcg.next() % span);
}

} // namespace ssq::picks
