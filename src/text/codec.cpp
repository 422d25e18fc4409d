#include "text/codec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace ssq::text {
namespace {

const char* iconvName(Charset c) {
    return c == Charset::Gb2312 ? "GB2312" : "GBK";
}

// Length of the well-formed UTF-8 sequence at the start of s. When the bytes
// there are not one, the length of its longest well-formed beginning (at least
// one byte), so that a broken or cut-off sequence becomes a single "?" and the
// byte that broke it is read afresh.
std::size_t utf8SequenceLength(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        n = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        if (b0 == 0xE0)
            lo = 0xA0;
        if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;
    } else
        return 1;
    std::size_t i = 1;
    for (; i < n && i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF))
            break;
    }
    return i;
}

// Length of the GBK character at the start of s that iconv refused: a lead
// byte with its trail byte counts as one character, anything else as one byte.
std::size_t gbkSequenceLength(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 >= 0x81 && b0 <= 0xFE && s.size() >= 2) {
        const auto b1 = static_cast<unsigned char>(s[1]);
        if (b1 >= 0x40 && b1 <= 0xFE && b1 != 0x7F)
            return 2;
    }
    return 1;
}

class Converter {
public:
    // A system without the conversion (no gconv modules) still gets text:
    // ASCII as it is, one "?" for every other character.
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    template <typename SkipLength> std::string run(std::string_view input, SkipLength skipLength) {
        std::string out;
        out.reserve(input.size());
        if (!valid())
            return asciiOnly(input, skipLength);
        char buffer[4096];
        std::size_t pos = 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (pos < input.size()) {
            char* in = const_cast<char*>(input.data() + pos);
            std::size_t inLeft = input.size() - pos;
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            pos = input.size() - inLeft;
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (err == E2BIG)
                continue;
            // EILSEQ or EINVAL: one "?" for the character iconv stopped at.
            const std::size_t skip = skipLength(input.substr(pos));
            out.push_back('?');
            pos += skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    template <typename SkipLength>
    static std::string asciiOnly(std::string_view input, SkipLength skipLength) {
        std::string out;
        for (std::size_t pos = 0; pos < input.size();) {
            if (static_cast<unsigned char>(input[pos]) < 0x80) {
                out.push_back(input[pos++]);
                continue;
            }
            out.push_back('?');
            pos += std::max<std::size_t>(1, skipLength(input.substr(pos)));
        }
        return out;
    }

    iconv_t m_cd;
};

} // namespace

std::string utf8To(Charset target, std::string_view utf8) {
    if (utf8.empty())
        return {};
    Converter converter(iconvName(target), "UTF-8");
    return converter.run(utf8, utf8SequenceLength);
}

std::string gbkToUtf8(std::string_view gbk) {
    if (gbk.empty())
        return {};
    Converter converter("UTF-8", "GBK");
    return converter.run(gbk, gbkSequenceLength);
}

std::string gbk(std::string_view utf8Literal) {
    return utf8To(Charset::Gbk, utf8Literal);
}

} // namespace ssq::text
