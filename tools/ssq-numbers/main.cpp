// ssq-numbers: see numbers_cli.h.
#include "numbers_cli.h"

#include "build_config.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The draw store the program keeps for this user, where it has one:
// $XDG_DATA_HOME (or ~/.local/share) / <package> / draws.sqlite.
std::string userStore() {
    std::filesystem::path folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        folder = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::filesystem::path(home) / ".local" / "share";
    else
        return {};
    const std::filesystem::path file = folder / SSQ_PACKAGE_NAME / "draws.sqlite";
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) ? file.string() : std::string();
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Without --data or --store, the user's own stored history when there is one.
    bool chosen = false;
    for (const std::string& arg : args)
        chosen = chosen || arg == "--data" || arg == "--store";
    if (!chosen)
        if (const std::string store = userStore(); !store.empty())
            args.insert(args.begin(), {"--store", store});
    return ssq::numbers_cli::run(args, std::cin, std::cout, std::cerr);
}
