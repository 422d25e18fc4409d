#pragma once
// CharFormat: one character format of the pick pane, as five plain fields.
// Applying a record sets every attribute it describes at once, so a field that
// says "off" switches the attribute off (style 0 over bold text un-bolds it).

#include <cstdint>
#include <string>

namespace ssq::picks {

namespace style {
inline constexpr std::int32_t kBold = 1;
inline constexpr std::int32_t kItalic = 2;
inline constexpr std::int32_t kUnderline = 4;
inline constexpr std::int32_t kStrikeOut = 8;
inline constexpr std::int32_t kProtected = 16; // carried, not shown; no other bit means anything
} // namespace style

// The colour value that stands for the system's window-text colour; no colour
// is ever made from its bytes.
inline constexpr std::uint32_t kAutomaticColour = 0xFF000000u;

struct CharFormat {
    std::string font;        // face name, code page 936 text
    std::int32_t size = 9;   // character height in points
    std::int32_t offset = 0; // vertical offset from the base line in points; positive raises
    std::int32_t style = 0;  // bit set of style::k*
    std::uint32_t colour = kAutomaticColour; // 0x00BBGGRR, or kAutomaticColour

    bool operator==(const CharFormat&) const = default;
};

// "宋体", 9 pt, no offset, no style, automatic colour: what both pick formats
// hold before the start-up set-up, and the pane's own default format.
CharFormat startFormat();

// The start-up set-up of the two pick formats: bold red 12 pt and bold blue
// 12 pt. Font and offset keep what they held.
void setUpPickFormats(CharFormat& red, CharFormat& blue);

} // namespace ssq::picks
