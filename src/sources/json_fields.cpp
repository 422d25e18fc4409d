#include "sources/json_fields.h"

#include "store/number_text.h"

namespace ssq::sources {

std::optional<std::string> fieldText(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end())
        return std::nullopt;
    if (it->is_string())
        return it->get<std::string>();
    if (it->is_number_unsigned())
        return std::to_string(it->get<std::uint64_t>());
    return std::nullopt;
}

std::optional<std::int64_t> fieldCount(const nlohmann::json& object, const char* key,
                                       std::int64_t fallback) {
    if (!object.contains(key))
        return fallback;
    const auto text = fieldText(object, key);
    std::int64_t v = 0;
    if (!text || !store::readDigits(*text, v, 9))
        return std::nullopt;
    return v;
}

bool readSixNumbers(std::string_view text, char separator, std::array<int, 6>& out) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t end = text.find(separator, at);
        if ((i < 5) != (end != std::string_view::npos))
            return false;
        if (!readBall(text.substr(at, end - at), out[i]))
            return false;
        at = end + 1;
    }
    return true;
}

bool readPeriod(std::string_view text, std::int32_t& out) {
    std::int64_t v = 0;
    if (text.size() != 7 || !store::readDigits(text, v, 7))
        return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

bool readBall(std::string_view text, int& out) {
    std::int64_t v = 0;
    if (!store::readDigits(text, v, 2))
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace ssq::sources
