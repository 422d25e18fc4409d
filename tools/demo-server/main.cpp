// ssq-demo-server: serves the results list pages of a draw-history file (and
// the update files) on 127.0.0.1 until interrupted.
//
//   ssq-demo-server [--port N] [--data FILE] [--per-page N] [--latency-ms N]
//                   [--signing-key FILE] [--fault PAGE:KIND[:COUNT]]...
//
// The update package is signed with the secret key in FILE (by default the
// build folder's throw-away key, which the build's updater trusts); without a
// key the manifest carries no signature and the updater refuses the package.
//
// KIND is one of 404, hang, stall, copyright (a "©" in the footer) and extra
// (COUNT stray dates after the draws). --fault may be given several times.
// --no-list-pages answers 404 for every list page. --source-fault SOURCE:KIND
// makes a live source (zhcw, cwl, text) misbehave: 403, html, error,
// truncated, bad-draw, gap, duplicates, out-of-order, hang.

#include "demo_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace {

using ssq::demo::PageFault;

bool parseInt(const std::string& s, int& out) {
    if (s.empty() || s.size() > 9)
        return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool parseFault(const std::string& faultText, ssq::demo::Options& options) {
    const auto colon = faultText.find(':');
    if (colon == std::string::npos)
        return false;
    int page = 0;
    if (!parseInt(faultText.substr(0, colon), page) || page < 1)
        return false;
    std::string kind = faultText.substr(colon + 1);
    int count = 0;
    if (const auto second = kind.find(':'); second != std::string::npos) {
        if (!parseInt(kind.substr(second + 1), count))
            return false;
        kind.resize(second);
    }
    PageFault fault;
    if (kind == "404")
        fault.kind = PageFault::Kind::NotFound;
    else if (kind == "hang")
        fault.kind = PageFault::Kind::Hang;
    else if (kind == "stall")
        fault.kind = PageFault::Kind::Stall;
    else if (kind == "copyright")
        fault.kind = PageFault::Kind::NonGb2312Char;
    else if (kind == "extra") {
        fault.kind = PageFault::Kind::ExtraMatches;
        fault.extra = count > 0 ? count : 1;
    } else
        return false;
    options.faults[page] = fault;
    return true;
}

bool parseSourceFault(const std::string& text, ssq::demo::Options& options) {
    using ssq::demo::LiveSource;
    using ssq::demo::SourceFault;
    static const std::map<std::string, LiveSource> sources = {
        {"zhcw", LiveSource::Zhcw}, {"cwl", LiveSource::Cwl}, {"text", LiveSource::Text}};
    static const std::map<std::string, SourceFault> kinds = {
        {"403", SourceFault::Forbidden},
        {"html", SourceFault::HtmlPage},
        {"error", SourceFault::ErrorCode},
        {"truncated", SourceFault::Truncated},
        {"bad-draw", SourceFault::BadDraw},
        {"gap", SourceFault::Gap},
        {"duplicates", SourceFault::Duplicates},
        {"out-of-order", SourceFault::OutOfOrder},
        {"hang", SourceFault::Hang}};
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    const auto source = sources.find(text.substr(0, colon));
    const auto kind = kinds.find(text.substr(colon + 1));
    if (source == sources.end() || kind == kinds.end())
        return false;
    options.sourceFaults[source->second] = kind->second;
    return true;
}

int usage() {
    std::cerr << "usage: ssq-demo-server [--port N] [--data FILE] [--per-page N] "
                 "[--latency-ms N] [--signing-key FILE] [--fault "
                 "PAGE:404|hang|stall|copyright|extra[:COUNT]]... "
                 "[--no-list-pages] [--source-fault zhcw|cwl|text:KIND]...\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int port = 18080;
    std::string data = "data/ssq_history.csv";
    std::string signingKeyFile;
    ssq::demo::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) {
            if (!parseInt(argv[++i], port) || port < 1 || port > 65535)
                return usage();
        } else if (arg == "--data" && hasValue) {
            data = argv[++i];
        } else if (arg == "--per-page" && hasValue) {
            if (!parseInt(argv[++i], options.perPage) || options.perPage < 1)
                return usage();
        } else if (arg == "--latency-ms" && hasValue) {
            if (!parseInt(argv[++i], options.latencyMs))
                return usage();
        } else if (arg == "--no-list-pages") {
            options.listPages = false;
        } else if (arg == "--source-fault" && hasValue) {
            if (!parseSourceFault(argv[++i], options))
                return usage();
        } else if (arg == "--signing-key" && hasValue) {
            signingKeyFile = argv[++i];
        } else if (arg == "--fault" && hasValue) {
            if (!parseFault(argv[++i], options))
                return usage();
        } else {
            return usage();
        }
    }

    if (!signingKeyFile.empty()) {
        std::ifstream key(signingKeyFile);
        if (!std::getline(key, options.signingKey)) {
            std::cerr << "ssq-demo-server: cannot read the signing key " << signingKeyFile << "\n";
            return 1;
        }
    } else if (std::ifstream key(SSQ_DEMO_SIGNING_KEY_FILE);
               !std::getline(key, options.signingKey)) {
        std::cerr << "ssq-demo-server: no signing key, the update package is unsigned\n";
    }
    options.draws = ssq::demo::loadHistory(data);
    if (options.draws.empty()) {
        std::cerr << "ssq-demo-server: no draws in " << data << "\n";
        return 1;
    }

    // Wait for the end signal on this thread; the server's threads never see it.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    const std::size_t drawCount = options.draws.size();
    ssq::demo::Server server(std::move(options));
    if (!server.start(port)) {
        std::cerr << "ssq-demo-server: cannot listen on 127.0.0.1:" << port << "\n";
        return 1;
    }
    std::cout << "ssq-demo-server: " << drawCount << " draws in " << server.pageCount()
              << " pages at " << server.baseUrl() << "/zhcw/html/ssq/list_1.html" << std::endl;
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
    return 0;
}
