#pragma once

// Plausible plain recharge text for benchmarks: a header, card types, tariffs,
// `detailLines` detail lines of 272 characters and a trailer, CR LF line ends.
// Deterministic for a given seed, so figures stay comparable between runs.

#include <cstdint>
#include <string>

namespace pluvexa {

std::string rechargeText(int detailLines, std::uint32_t seed = 1);

}  // namespace pluvexa
