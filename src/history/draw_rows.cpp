#include "history/draw_rows.h"

#include "store/number_text.h"

#include <cstdio>

namespace ssq::history {
namespace {

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

} // namespace

std::string groupThousands(std::int64_t n) {
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

DrawFields fieldsOf(const store::DrawRecord& d) {
    DrawFields f;
    f[0] = d.date;
    f[1] = std::to_string(d.period);
    for (std::size_t i = 0; i < d.reds.size(); ++i)
        f[2 + i] = twoDigits(d.reds[i]);
    f[8] = twoDigits(d.blue);
    f[9] = d.sales ? groupThousands(*d.sales) : std::string();
    return f;
}

std::optional<store::DrawRecord> recordOf(const DrawFields& f) {
    store::DrawRecord d;
    d.date = f[0];
    std::int64_t n = 0;
    if (f[1].size() != 7 || !store::readDigits(f[1], n, 7))
        return std::nullopt;
    d.period = static_cast<std::int32_t>(n);
    for (std::size_t i = 0; i < 6; ++i) {
        if (!store::readDigits(f[2 + i], n, 2))
            return std::nullopt;
        d.reds[i] = static_cast<int>(n);
    }
    if (!store::readDigits(f[8], n, 2))
        return std::nullopt;
    d.blue = static_cast<int>(n);
    std::string sales;
    for (char c : f[9])
        if (c != ',')
            sales.push_back(c);
    if (!store::readAmount(sales, d.sales))
        return std::nullopt;
    d.source = "list pages";
    return d;
}

} // namespace ssq::history
