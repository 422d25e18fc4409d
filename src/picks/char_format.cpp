#include "picks/char_format.h"

#include "text/codec.h"

namespace ssq::picks {

CharFormat startFormat() {
    CharFormat f;
    f.font = text::gbk("宋体");
    return f;
}

void setUpPickFormats(CharFormat& red, CharFormat& blue) {
    // The order of these writes is the documented start-up order.
    red.colour = 0x000000FFu;
    blue.colour = 0x00FF0000u;
    red.size = 12;
    blue.size = 12;
    red.style = style::kBold;
    blue.style = style::kBold;
}

} // namespace ssq::picks
