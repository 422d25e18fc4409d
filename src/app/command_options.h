#pragma once
// What the command line asks of the program before any window exists.
// "-h"/"--help" and "--version" print their text and end with exit code 0; any
// other argument is left to the toolkit and the window starts as usual.

#include <string>

namespace ssq::app {

enum class StartRequest { Window, Help, Version };

// The first of "-h", "--help" and "--version" among argv[1..] decides.
StartRequest startRequest(int argc, const char* const argv[]);

// The texts to print, in UTF-8, each ending in a line break.
std::string helpText();
std::string versionText(); // product title, a space, the version ("3.2")

} // namespace ssq::app
