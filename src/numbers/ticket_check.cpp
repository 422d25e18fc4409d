#include "numbers/ticket_check.h"

namespace ssq::numbers {

TicketReport checkTickets(std::vector<TicketLine> lines, std::span<const DrawBits> draws) {
    TicketReport report;
    report.results.reserve(lines.size());
    for (TicketLine& line : lines) {
        TicketResult result;
        if (line.ok()) {
            const TicketChecker checker(line.ticket);
            for (DrawBits draw : draws)
                checker.check(draw, result.counts);
            result.fixedPrizes = fixedTotal(result.counts);
            report.singleTickets += checker.singleTickets();
            for (std::size_t level = 0; level < result.counts.size(); ++level)
                report.counts[level] += result.counts[level];
            report.fixedPrizes += result.fixedPrizes;
        } else {
            ++report.badLines;
        }
        result.line = std::move(line);
        report.results.push_back(std::move(result));
    }
    return report;
}

} // namespace ssq::numbers
