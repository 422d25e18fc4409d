#include "store/number_text.h"

namespace ssq::store {

bool readDigits(std::string_view text, std::int64_t& out, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return false;
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool readAmount(std::string_view text, std::optional<std::int64_t>& out) {
    if (text.empty() || text == "-" || text == "_") {
        out.reset();
        return true;
    }
    std::int64_t v = 0;
    if (!readDigits(text, v))
        return false;
    out = v;
    return true;
}

} // namespace ssq::store
