// ssq-numbers: see numbers_cli.h.
#include "numbers_cli.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return ssq::numbers_cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cin,
                                 std::cout, std::cerr);
}
