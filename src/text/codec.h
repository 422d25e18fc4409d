#pragma once
// Conversions between UTF-8 and the code page 936 byte text the program works
// in, all on iconv. None of them ever fails as a whole: a character the target
// lacks, and every invalid or incomplete sequence of the source, becomes one
// "?" byte and the conversion goes on, so one stray symbol cannot empty a page.

#include <string>
#include <string_view>

namespace ssq::text {

enum class Charset {
    Gb2312, // EUC-CN: both bytes of every double-byte character are 0xA1 or above
    Gbk,    // code page 936
};

// UTF-8 -> target, "?" for each character that cannot be converted.
std::string utf8To(Charset target, std::string_view utf8);

// Code page 936 -> UTF-8, "?" for each invalid byte sequence.
std::string gbkToUtf8(std::string_view gbk);

// Code page 936 text of a UTF-8 literal of our own sources, for byte-wise
// comparison with program text.
std::string gbk(std::string_view utf8Literal);

} // namespace ssq::text
