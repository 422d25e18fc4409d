#include "picks/pick_lines.h"

#include "picks/pick_pane.h"
#include "picks/random_picks.h"

namespace ssq::picks {

void writeRandomTickets(PickPane& pane, std::int32_t count, RandomSource& source,
                        const CharFormat& red, const CharFormat& blue) {
    if (count <= 0)
        return;
    PickPane::Batch batch(pane);
    for (std::int32_t i = 0; i < count; ++i) {
        const Ticket ticket = drawTicket(source);
        pane.applyFormat(red);
        pane.insertText(randomRedPart(ticket));
        pane.applyFormat(blue);
        pane.insertText(randomBluePart(ticket));
    }
}

void writeHighCountPick(PickPane& pane, const HighCountPick& pick, const CharFormat& red,
                        const CharFormat& blue) {
    PickPane::Batch batch(pane);
    pane.applyFormat(red);
    pane.insertText(highCountRedPart(pick));
    pane.applyFormat(blue);
    pane.insertText(pick.blue);
}

} // namespace ssq::picks
