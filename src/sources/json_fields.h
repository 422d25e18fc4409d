#pragma once
// Reading the fields of the JSON services: every value is checked, and a
// missing or mistyped one refuses the answer instead of guessing.

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ssq::sources {

// The text of a string field, or of a non-negative integer field written as a
// number; nothing for a missing field, null, or any other type.
std::optional<std::string> fieldText(const nlohmann::json& object, const char* key);

// A whole number (string or JSON number), or `fallback` when the key is
// missing; nothing when present but not a non-negative whole number.
std::optional<std::int64_t> fieldCount(const nlohmann::json& object, const char* key,
                                       std::int64_t fallback);

// Six numbers separated by `separator` ("04 10 11 12 13 24"), each 1..2 digits.
bool readSixNumbers(std::string_view text, char separator, std::array<int, 6>& out);

// A seven-digit period "2026096".
bool readPeriod(std::string_view text, std::int32_t& out);

// A one- or two-digit ball number.
bool readBall(std::string_view text, int& out);

} // namespace ssq::sources
