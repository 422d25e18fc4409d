#pragma once
// Where the program fetches from. The program itself always uses the built-in
// servers; tests construct the window with addresses of their own.

#include "platform/http_fetch.h"

#include <string>

namespace ssq::app {

struct AppConfig {
    std::string resultsServer; // base address, e.g. "http://127.0.0.1:18080"
    std::string updateServer;
    platform::FetchOptions fetch;

    static AppConfig builtIn();
};

} // namespace ssq::app
