#include "text/gbk_text.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace ssq::text {

int find(std::string_view text, std::string_view needle) {
    if (text.empty() || needle.empty())
        return -1;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, needle.size(), needle) == 0)
            return static_cast<int>(i) + 1;
        i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

std::string middle(std::string_view text, int start, int length) {
    if (start < 1 || length <= 0 || static_cast<std::size_t>(start) > text.size())
        return {};
    return std::string(
        text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length)));
}

std::string foldFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 && i + 1 < text.size()) {
            const auto d = static_cast<unsigned char>(text[i + 1]);
            if (c == 0xA3 && d >= 0xA1 && d <= 0xFE) {
                out.push_back(static_cast<char>(d - 0x80));
            } else if (c == 0xA1 && d == 0xA1) {
                out.push_back(' ');
            } else {
                out.push_back(static_cast<char>(c));
                out.push_back(static_cast<char>(d));
            }
            ++i;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

namespace {
// ASCII white space only: the C library's isspace follows the process locale,
// which the widget toolkit sets from the environment, and a single-byte
// locale would then count lead bytes of Chinese characters as spaces.
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The "C" locale, so that a decimal point is a point whatever LC_NUMERIC the
// process runs under (the widget toolkit adopts the user's locale at start).
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
} // namespace

double number(std::string_view text) {
    const std::string folded = foldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && isSpace(folded[i]))
        ++i;
    // Take only the decimal form (no hex, inf or nan) that the rule allows.
    std::size_t j = i;
    if (j < folded.size() && (folded[j] == '+' || folded[j] == '-'))
        ++j;
    std::size_t digits = 0;
    while (j < folded.size() && isDigit(folded[j]))
        ++j, ++digits;
    if (j < folded.size() && folded[j] == '.') {
        ++j;
        while (j < folded.size() && isDigit(folded[j]))
            ++j, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (j < folded.size() && (folded[j] == 'e' || folded[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < folded.size() && (folded[k] == '+' || folded[k] == '-'))
            ++k;
        if (k < folded.size() && isDigit(folded[k])) {
            while (k < folded.size() && isDigit(folded[k]))
                ++k;
            j = k;
        }
    }
    const std::string slice = folded.substr(i, j - i);
    return strtod_l(slice.c_str(), nullptr, cLocale());
}

std::int32_t toInteger(std::string_view text) {
    const std::string folded = foldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && isSpace(folded[i]))
        ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < folded.size() && isDigit(folded[i]); ++i)
        value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::string formatReal(double value) {
    // to_chars, unlike printf, never writes a decimal comma under the user's locale.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return std::string(buffer, result.ptr);
}

std::string twoDigits(int value) {
    std::string digits = std::to_string(value);
    if (value >= 0 && value <= 9)
        digits.insert(digits.begin(), '0');
    return digits;
}

} // namespace ssq::text
