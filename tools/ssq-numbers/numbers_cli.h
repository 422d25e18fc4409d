#pragma once
// ssq-numbers: the number analysis on the command line.
//
//   ssq-numbers [--data FILE | --store FILE] check TICKET... [--period N | --all]
//   ssq-numbers [--data FILE | --store FILE] stats [--last N] [--csv]
//   ssq-numbers [--data FILE | --store FILE] export --csv FILE
//
// Exit codes: 0 done; 1 a ticket or period is bad (good tickets are still
// checked and shown); 2 the command line is wrong; 3 a file cannot be read
// or written.

#include <iosfwd>
#include <string>
#include <vector>

namespace ssq::numbers_cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;

// Runs one command; `args` leaves out the program name. Results go to `out`,
// faults and warnings to `err`, both UTF-8.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace ssq::numbers_cli
