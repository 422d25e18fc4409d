#pragma once
// Primitives over byte text in code page 936 (GBK / GB2312). Positions count
// bytes and start at 1; -1 stands for "not found". A byte of 0x80 or above
// starts a double-byte character together with the byte after it.

#include <cstdint>
#include <string>
#include <string_view>

namespace ssq::text {

// 1-based position of the first occurrence of needle, scanning character by
// character so that a match never starts on the second byte of a double-byte
// character; -1 if there is none (always -1 in an empty text).
int find(std::string_view text, std::string_view needle);

// At most `length` bytes of text from position `start` on; empty when start is
// below 1 or beyond the end, or when length is 0 or less.
std::string middle(std::string_view text, int start, int length);

// Replaces each full-width form of an ASCII character (0xA3 0xA1 .. 0xA3 0xFE)
// by that ASCII character and the ideographic space (0xA1 0xA1) by a space.
std::string foldFullWidth(std::string_view text);

// Full-width folding, then the longest leading decimal floating-point number
// after leading white space, like atof in the "C" locale (the decimal point is
// "." whatever locale the process runs under); 0 when there is none.
double number(std::string_view text);

// Full-width folding, then leading white space, one optional sign and decimal
// digits up to the first other character; 0 when there are no digits. Values
// beyond the int32 range wrap like the 32-bit accumulation they stand for.
std::int32_t toInteger(std::string_view text);

// A real number with up to 13 significant digits and no trailing zeros
// (3.2 -> "3.2", 150 -> "150"), with a decimal point in every locale.
std::string formatReal(double value);

// Two decimal digits with a leading zero for 0-9 ("01" .. "33").
std::string twoDigits(int value);

} // namespace ssq::text
