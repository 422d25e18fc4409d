#pragma once
// Strict reading of the digit fields the sources write.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ssq::store {

// Only ASCII digits, 1..maxDigits of them (leading zeros allowed).
bool readDigits(std::string_view text, std::int64_t& out, std::size_t maxDigits = 15);

// An amount in yuan: digits, or empty / "-" / "_" for "not given" (empty
// optional). Anything else is false.
bool readAmount(std::string_view text, std::optional<std::int64_t>& out);

} // namespace ssq::store
