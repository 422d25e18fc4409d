#pragma once
// Ticket lines as people type them and as the pick pane writes them:
//   "01 02 03 04 05 06 + 07"   six reds, "+", one blue
//   "01 02 03 04 05 06 07"     seven numbers: the last is the blue
//   "01 02 … 09 + 03 11"       复式: 6–20 reds and 1–16 blues around one "+"
// Numbers are separated by spaces, tabs, commas (also "，" and "、");
// "＋" and "|" stand for "+"; leading zeros are optional.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::numbers {

inline constexpr int kMaxTicketReds = 20;

struct Ticket {
    std::vector<int> reds;  // ascending, 6..20 different numbers of 1..33
    std::vector<int> blues; // ascending, 1..16 different numbers of 1..16
};

struct TicketLine {
    std::size_t lineNumber = 0; // from 1
    std::string text;           // the line as given, without its line break
    Ticket ticket;              // valid when error is empty
    std::string error;          // why the line is no ticket (UTF-8), empty when it is one
    bool ok() const { return error.empty(); }
};

// One line; the error names the first fault found.
TicketLine parseTicket(std::string_view line);

// Every line that is not blank, numbered as in the text; bad lines are kept
// with their reason.
std::vector<TicketLine> parseTickets(std::string_view text);

// "01 02 03 04 05 06 + 07".
std::string ticketText(const Ticket& ticket);

} // namespace ssq::numbers
