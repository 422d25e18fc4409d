#pragma once
// The loopback demo server: the results list pages generated from a draw
// history, the version manifest and a small update package, with options to
// misbehave for tests and benchmarks. It binds to 127.0.0.1 only.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ssq::demo {

struct Draw {
    std::string period;        // seven digits, "2003001"
    std::string date;          // "2003-02-23"
    std::array<int, 6> reds{}; // ascending
    int blue = 0;
    std::string sales; // yuan, digits only
    std::string pool;
};

// The draws of a history file (columns issue,date,r1..r6,b1,sales,pool), oldest first.
std::vector<Draw> loadHistory(const std::string& csvPath);

// How one list page misbehaves.
struct PageFault {
    enum class Kind {
        None,
        NotFound,      // 404 with an HTML body
        Hang,          // no answer until the server stops, then 503 "server stopped"
        Stall,         // headers and half the body, then nothing; cut off at stop
        NonGb2312Char, // a "©" in the footer
        ExtraMatches,  // `extra` stray matches (dates) after the draws
    };
    Kind kind = Kind::None;
    int extra = 0;
};

// The live sources the server also answers as, each from the same draws.
enum class LiveSource {
    Zhcw, // /port/client_json.php
    Cwl,  // /cwl_admin/front/cwlkj/search/kjxx/findDrawNotice
    Text, // /ssq_asc.txt
};

// How a live source misbehaves.
enum class SourceFault {
    None,
    Forbidden,  // 403 with an HTML body, as to a robot
    HtmlPage,   // 200 with an HTML page instead of the data
    ErrorCode,  // the service's own error (resCode "000014", state 1)
    Truncated,  // the first half of the body
    BadDraw,    // the newest draw has blue 17
    Gap,        // the second-newest draw of the answer left out
    Duplicates, // every draw twice
    OutOfOrder, // draws oldest first instead of newest first (the text file: newest first)
    Hang,       // no answer until the server stops
};

// A fixed answer for one path (the path as requested, after percent-decoding, UTF-8).
struct Canned {
    int status = 200;
    std::string contentType = "application/octet-stream";
    std::string body;
    bool hang = false;
    std::map<std::string, std::string> headers{}; // extra answer headers, e.g. "Location"
    // How the body travels (at most one of these):
    int dripMs = 0;       // one byte every dripMs milliseconds
    bool reset = false;   // half the body, then the connection is dropped
    bool endless = false; // the body over and over, no length, until the client hangs up
};

struct Options {
    std::vector<Draw> draws; // oldest first, as loadHistory gives them
    int perPage = 20;
    std::map<int, PageFault> faults;     // by page number (1 = newest draws)
    std::map<std::string, Canned> files; // extra paths, or replacements of the default ones
    int latencyMs = 0;                   // wait before every answer (a slow link for benchmarks)
    bool listPages = true;               // false: every list page answers 404
    std::map<LiveSource, SourceFault> sourceFaults;
    // Secret key (base64, update/package_signature.h) the update package is
    // signed with; empty: the manifest carries no signature.
    std::string signingKey;
};

class Server {
public:
    explicit Server(Options options);
    ~Server(); // stops the server and releases hung requests
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Starts listening on 127.0.0.1:port (0 = any free port); false when the
    // port is taken or the server was stopped before. Requests are served on
    // their own threads, so hung ones never hold up the others.
    bool start(int port = 0);
    // Stops for good: closes the port, releases hung and stalled answers and
    // waits for every connection thread. Safe to call more than once.
    void stop();
    int port() const;
    std::string baseUrl() const; // "http://127.0.0.1:<port>"

    // Adds draws (oldest first, newer than the served ones) to every format, as
    // when a new draw is published.
    void publish(const std::vector<Draw>& newer);
    void setListPages(bool served);
    void setSourceFault(LiveSource source, SourceFault fault);
    // A header of the latest request for a path ("" when none).
    std::string lastHeader(const std::string& path, const std::string& name) const;

    int pageCount() const;                       // list pages the draws make
    int requests(const std::string& path) const; // how often a path was asked for
    // The request targets as they arrived, before percent-decoding, oldest
    // first (the latest few thousand).
    std::vector<std::string> targets() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// One list page in the results server's markup (UTF-8): draws newest first.
// Every draw gives exactly ten matches of the draw-extraction pattern and the
// pager states pageCount between "共<strong>" and "</strong> 页".
std::string renderListPage(const std::vector<Draw>& pageDraws, int page, int pageCount,
                           int totalDraws);

// The same page with one of the body faults of PageFault (NonGb2312Char, ExtraMatches).
std::string renderListPage(const std::vector<Draw>& pageDraws, int page, int pageCount,
                           int totalDraws, const PageFault& fault);

// "05": a ball number as every format writes it.
std::string twoDigits(int n);

// The live formats (UTF-8). Draws newest first for the JSON pages, a page of
// at most pageSize draws out of `total`; the text file oldest first.
std::string renderZhcwPage(const std::vector<Draw>& pageDraws, int pageNum, int pageSize,
                           int total);
std::string renderZhcwError(const std::string& code, const std::string& message);
std::string renderCwlPage(const std::vector<Draw>& pageDraws, int pageSize, int total);
std::string renderCwlError(const std::string& message);
std::string renderTextHistory(const std::vector<Draw>& oldestFirst);

// The files the update server publishes (version manifest, update package),
// with addresses inside them pointing at baseUrl and the package's signature
// by signingKey in the manifest's 签名 (none when it is empty). Server::start
// merges them under Options::files, which win.
std::map<std::string, Canned> defaultUpdateFiles(const std::string& baseUrl,
                                                 const std::string& signingKey = {});

} // namespace ssq::demo
