#pragma once
// What the window is built against: where the program fetches from, and the
// name of its single-instance marker. The program itself always uses the
// built-in servers and its executable's file name; tests construct the window
// with values of their own.

#include "platform/http_fetch.h"

#include <string>

namespace ssq::app {

struct AppConfig {
    std::string resultsServer; // base address, e.g. "http://127.0.0.1:18080"
    std::string updateServer;
    // true: 检测升级 checks updateServer and can hand over to the updater;
    // false: it only says that updates come through the package manager, and
    // neither asks a server nor writes a file.
    bool selfUpdate = true;
    platform::FetchOptions fetch;
    // Name of the single-instance marker (UTF-8); empty: no guard at all.
    std::string instanceMarker;

    // The built-in servers, and no marker: the program start adds the
    // executable's file name (see main.cpp).
    static AppConfig builtIn();
};

} // namespace ssq::app
