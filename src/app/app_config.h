#pragma once
// What the window is built against: where the program fetches from, and the
// name of its single-instance marker. The program itself always uses the
// built-in servers and its executable's file name; tests construct the window
// with values of their own.

#include "platform/http_fetch.h"
#include "sources/live_sources.h"

#include <string>

namespace ssq::app {

struct AppConfig {
    std::string resultsServer; // base address, e.g. "http://127.0.0.1:18080"
    std::string updateServer;
    // true: 检测升级 checks updateServer and can hand over to the updater;
    // false: it only says that updates come through the package manager, and
    // neither asks a server nor writes a file.
    bool selfUpdate = true;
    platform::FetchOptions fetch; // list pages and the version manifest
    // The start-up probe, which the window waits for before it shows.
    platform::FetchOptions probeFetch = platform::FetchOptions::probe();
    // The local draw store (a UTF-8 file name); empty: no store, and the
    // draw history comes from the list pages only.
    std::string storePath;
    // The live sources asked for newer draws when the list pages give none.
    sources::SourceServers sources;
    // Name of the single-instance marker (UTF-8); empty: no guard at all.
    std::string instanceMarker;

    // The built-in servers, the store in the per-user data folder, and no marker: the program start
    // adds the executable's file name (see main.cpp).
    static AppConfig builtIn();
};

} // namespace ssq::app
