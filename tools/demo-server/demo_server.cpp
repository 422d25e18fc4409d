#include "demo_server.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <sys/socket.h>
#include <thread>

namespace ssq::demo {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kListPrefix = "/zhcw/html/ssq/list_";
constexpr const char* kListSuffix = ".html";
constexpr const char* kZhcwPath = "/port/client_json.php";
constexpr const char* kCwlPath = "/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice";
constexpr const char* kTextPath = "/ssq_asc.txt";

std::string escapeHtml(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string notFoundPage(const std::string& path) {
    return "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1><p>The "
           "requested URL " +
           escapeHtml(path) + " was not found on this server.</p></body></html>\n";
}

// The list page number a path asks for, or 0 when it is no list page. Numbers
// are plain decimal without leading zeros, as the results server writes them.
int listPageNumber(const std::string& path) {
    const std::string prefix = kListPrefix, suffix = kListSuffix;
    if (path.size() <= prefix.size() + suffix.size() || path.compare(0, prefix.size(), prefix) ||
        path.compare(path.size() - suffix.size(), suffix.size(), suffix))
        return 0;
    const std::string digits =
        path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
    if (digits.size() > 6 || digits[0] == '0')
        return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

// One thread per connection in flight, reused when idle: requests that hang on
// purpose must not hold up the others, however many there are.
class GrowingPool : public httplib::TaskQueue {
public:
    void enqueue(std::function<void()> fn) override {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(fn));
        if (m_jobs.size() > m_idle && m_threads.size() < kMaxThreads)
            m_threads.emplace_back([this] { work(); });
        m_wake.notify_one();
    }

    void shutdown() override {
        {
            std::lock_guard lock(m_mutex);
            m_shutdown = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads)
            t.join();
        m_threads.clear();
    }

private:
    static constexpr std::size_t kMaxThreads = 1024;

    void work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(m_mutex);
                ++m_idle;
                m_wake.wait(lock, [this] { return m_shutdown || !m_jobs.empty(); });
                --m_idle;
                if (m_jobs.empty())
                    return; // shutting down with nothing left to do
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_shutdown = false;
};

} // namespace

struct Server::Impl {
    Options options;
    std::vector<Draw> newestFirst;
    int pages = 0;
    httplib::Server http;
    std::thread listener;
    std::atomic<int> port{0};
    std::atomic<bool> listenerDone{false};

    mutable std::mutex mutex;
    std::condition_variable released; // wakes hung and stalled answers at stop
    bool stopping = false;
    std::map<std::string, Canned> files;
    std::map<std::string, int> counts;
    static constexpr std::size_t kMaxTargets = 4096;
    std::deque<std::string> targets;
    std::map<std::string, std::map<std::string, std::string>> lastHeaders; // by path

    explicit Impl(Options o) : options(std::move(o)) {
        if (options.perPage < 1)
            options.perPage = 1;
        newestFirst.assign(options.draws.rbegin(), options.draws.rend());
        const int total = static_cast<int>(newestFirst.size());
        pages = (total + options.perPage - 1) / options.perPage;
    }

    // Blocks until the server stops, or for at most `ms` when ms >= 0.
    // Returns true when woken by the stop.
    bool waitForStop(int ms = -1) {
        std::unique_lock lock(mutex);
        if (ms < 0) {
            released.wait(lock, [this] { return stopping; });
            return true;
        }
        return released.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
    }

    void answerHang(httplib::Response& res) {
        waitForStop();
        res.status = 503;
        res.set_content("server stopped\n", "text/plain");
    }

    // Sends the headers and the first half of the body, then nothing more until
    // the server stops, when the connection is dropped.
    void answerStall(httplib::Response& res, std::string body, const char* contentType) {
        auto shared = std::make_shared<std::string>(std::move(body));
        const std::size_t half = shared->size() / 2;
        res.set_content_provider(
            shared->size(), contentType,
            [this, shared, half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset < half)
                    return sink.write(shared->data() + offset, half - offset);
                waitForStop();
                return false;
            });
    }

    void answerCanned(const Canned& canned, httplib::Response& res) {
        if (canned.hang)
            return answerHang(res);
        res.status = canned.status;
        for (const auto& [name, value] : canned.headers)
            res.set_header(name, value);
        auto body = std::make_shared<std::string>(canned.body);
        const char* type = canned.contentType.c_str();
        if (canned.dripMs > 0) {
            const int ms = canned.dripMs;
            res.set_content_provider(
                body->size(), type,
                [this, body, ms](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (waitForStop(ms))
                        return false;
                    return sink.write(body->data() + offset, 1);
                });
        } else if (canned.reset) {
            const std::size_t half = body->size() / 2;
            res.set_content_provider(
                body->size(), type,
                [body, half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    // Returning false drops the connection
                    // with the rest of the body unsent.
                    return offset < half && sink.write(body->data() + offset, half - offset);
                });
        } else if (canned.endless && !body->empty()) {
            // No length: the body ends only when the connection closes.
            res.set_content_provider(type, [this, body](std::size_t, httplib::DataSink& sink) {
                return !waitForStop(0) && sink.write(body->data(), body->size());
            });
        } else {
            res.set_content(*body, type);
        }
    }

    void answerListPage(int page, httplib::Response& res) {
        std::vector<Draw> pageDraws;
        int pageTotal = 0, drawTotal = 0;
        {
            std::lock_guard lock(mutex);
            if (!options.listPages || page > pages) {
                res.status = 404;
                res.set_content(notFoundPage(listPagePathOf(page)), kHtml);
                return;
            }
            const std::size_t first = static_cast<std::size_t>(page - 1) * options.perPage;
            const std::size_t last =
                std::min(newestFirst.size(), first + static_cast<std::size_t>(options.perPage));
            pageDraws.assign(newestFirst.begin() + static_cast<std::ptrdiff_t>(first),
                             newestFirst.begin() + static_cast<std::ptrdiff_t>(last));
            pageTotal = pages;
            drawTotal = static_cast<int>(newestFirst.size());
        }
        const auto faultIt = options.faults.find(page);
        const PageFault fault = faultIt == options.faults.end() ? PageFault{} : faultIt->second;
        if (fault.kind == PageFault::Kind::Hang)
            return answerHang(res);
        if (fault.kind == PageFault::Kind::NotFound) {
            res.status = 404;
            res.set_content(notFoundPage(listPagePathOf(page)), kHtml);
            return;
        }
        std::string body = renderListPage(pageDraws, page, pageTotal, drawTotal, fault);
        if (fault.kind == PageFault::Kind::Stall)
            return answerStall(res, std::move(body), kHtml);
        res.set_content(std::move(body), kHtml);
    }

    static std::string listPagePathOf(int page) {
        return kListPrefix + std::to_string(page) + kListSuffix;
    }

    // The draws with periods from..to (seven-digit texts compare as numbers), newest first.
    std::vector<Draw> drawsBetween(const std::string& from, const std::string& to) {
        std::lock_guard lock(mutex);
        std::vector<Draw> out;
        for (const Draw& d : newestFirst)
            if (d.period >= from && d.period <= to)
                out.push_back(d);
        return out;
    }

    static int paramInt(const httplib::Request& req, const char* name, int fallback) {
        const std::string v = req.get_param_value(name);
        if (v.empty() || v.size() > 6 || v.find_first_not_of("0123456789") != std::string::npos)
            return fallback;
        return std::stoi(v);
    }

    static bool isPeriod(const std::string& s) {
        return s.size() == 7 && s.find_first_not_of("0123456789") == std::string::npos;
    }

    // Applies a data fault to the draws of an answer (newest first).
    static void spoil(std::vector<Draw>& draws, SourceFault fault) {
        switch (fault) {
        case SourceFault::BadDraw:
            if (!draws.empty())
                draws.front().blue = 17;
            break;
        case SourceFault::Gap:
            if (draws.size() >= 2)
                draws.erase(draws.begin() + 1);
            break;
        case SourceFault::Duplicates: {
            std::vector<Draw> twice;
            for (const Draw& d : draws) {
                twice.push_back(d);
                twice.push_back(d);
            }
            draws = std::move(twice);
            break;
        }
        case SourceFault::OutOfOrder:
            std::reverse(draws.begin(), draws.end());
            break;
        default:
            break;
        }
    }

    void answerLive(LiveSource source, const httplib::Request& req, httplib::Response& res) {
        SourceFault fault = SourceFault::None;
        {
            std::lock_guard lock(mutex);
            if (const auto it = options.sourceFaults.find(source); it != options.sourceFaults.end())
                fault = it->second;
        }
        switch (fault) {
        case SourceFault::Hang:
            return answerHang(res);
        case SourceFault::Forbidden:
            res.status = 403;
            res.set_content("<html><head><title>403 Forbidden</title></head><body><h1>403 "
                            "Forbidden</h1></body></html>\n",
                            kHtml);
            return;
        case SourceFault::HtmlPage:
            res.set_content("<!DOCTYPE html><html><head><title>安全验证</title></head><body>"
                            "请稍候……</body></html>\n",
                            kHtml);
            return;
        default:
            break;
        }
        std::string body;
        const char* type = "application/json;charset=UTF-8";
        if (source == LiveSource::Zhcw) {
            const std::string start = req.get_param_value("startIssue");
            const std::string end = req.get_param_value("endIssue");
            const int pageNum = paramInt(req, "pageNum", 0),
                      pageSize = paramInt(req, "pageSize", 0);
            if (fault == SourceFault::ErrorCode)
                body = renderZhcwError("000014", "页码校验失败");
            else if (req.get_param_value("transactionType") != "10001001" ||
                     req.get_param_value("lotteryId") != "1" ||
                     req.get_param_value("type") != "1" || !isPeriod(start) || !isPeriod(end) ||
                     pageNum < 1 || pageSize < 1)
                body = renderZhcwError("9998", "缺少必要参数");
            else {
                std::vector<Draw> all = drawsBetween(start, end);
                const std::size_t from = static_cast<std::size_t>(pageNum - 1) * pageSize;
                std::vector<Draw> page(
                    all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())),
                    all.begin() + static_cast<std::ptrdiff_t>(std::min(
                                      from + static_cast<std::size_t>(pageSize), all.size())));
                spoil(page, fault);
                body = renderZhcwPage(page, pageNum, pageSize, static_cast<int>(all.size()));
            }
        } else if (source == LiveSource::Cwl) {
            const std::string start = req.get_param_value("issueStart");
            const std::string end = req.get_param_value("issueEnd");
            const int pageNo = paramInt(req, "pageNo", 1), pageSize = paramInt(req, "pageSize", 30);
            if (fault == SourceFault::ErrorCode)
                body = renderCwlError("请求过于频繁");
            else if (req.get_param_value("name") != "ssq" || !isPeriod(start) || !isPeriod(end) ||
                     pageNo < 1 || pageSize < 1)
                body = renderCwlError("参数错误");
            else {
                std::vector<Draw> all = drawsBetween(start, end);
                const std::size_t from = static_cast<std::size_t>(pageNo - 1) * pageSize;
                std::vector<Draw> page(
                    all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())),
                    all.begin() + static_cast<std::ptrdiff_t>(std::min(
                                      from + static_cast<std::size_t>(pageSize), all.size())));
                spoil(page, fault);
                body = renderCwlPage(page, pageSize, static_cast<int>(all.size()));
            }
        } else {
            std::vector<Draw> all = drawsBetween("0000000", "9999999");
            spoil(all, fault == SourceFault::OutOfOrder ? SourceFault::None : fault);
            if (fault != SourceFault::OutOfOrder)
                std::reverse(all.begin(), all.end()); // the file is oldest first
            body =
                fault == SourceFault::ErrorCode ? std::string("error\n") : renderTextHistory(all);
            type = "text/plain; charset=utf-8";
        }
        if (fault == SourceFault::Truncated)
            body.resize(body.size() / 2);
        res.set_content(std::move(body), type);
    }

    void handle(const httplib::Request& req, httplib::Response& res) {
        // httplib hands over the path percent-decoded: "/澜舟号录.xml" in UTF-8.
        const std::string& path = req.path;
        std::optional<Canned> canned;
        {
            std::lock_guard lock(mutex);
            ++counts[path];
            targets.push_back(req.target);
            if (targets.size() > kMaxTargets)
                targets.pop_front();
            if (const auto it = files.find(path); it != files.end())
                canned = it->second;
            auto& headers = lastHeaders[path];
            headers.clear();
            for (const auto& [name, value] : req.headers)
                headers[name] = value;
        }
        if (options.latencyMs > 0 && waitForStop(options.latencyMs)) {
            res.status = 503;
            return;
        }
        if (req.method != "GET" && req.method != "HEAD") {
            res.status = 405;
            return;
        }
        if (canned)
            return answerCanned(*canned, res);
        if (path == kZhcwPath)
            return answerLive(LiveSource::Zhcw, req, res);
        if (path == kCwlPath)
            return answerLive(LiveSource::Cwl, req, res);
        if (path == kTextPath)
            return answerLive(LiveSource::Text, req, res);
        const int page = listPageNumber(path);
        if (page >= 1)
            return answerListPage(page, res);
        res.status = 404;
        res.set_content(notFoundPage(path), kHtml);
    }
};

Server::Server(Options options) : m_impl(std::make_unique<Impl>(std::move(options))) {
    Impl& impl = *m_impl;
    httplib::Server& http = impl.http;
    http.new_task_queue = [] { return new GrowingPool; };
    // SO_REUSEADDR only: a second server on a port in use must fail to bind,
    // not share the port.
    http.set_socket_options([](int sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // Short waits on idle and half-sent requests, so that stopping is prompt.
    http.set_keep_alive_timeout(1);
    http.set_read_timeout(2, 0);
    http.set_write_timeout(5, 0);
    http.set_pre_routing_handler([&impl](const httplib::Request& req, httplib::Response& res) {
        impl.handle(req, res);
        return httplib::Server::HandlerResponse::Handled;
    });
}

Server::~Server() {
    stop();
}

bool Server::start(int port) {
    Impl& impl = *m_impl;
    if (impl.listener.joinable() || port < 0)
        return false;
    {
        std::lock_guard lock(impl.mutex);
        if (impl.stopping)
            return false; // a stopped server stays stopped
    }
    int bound = port;
    if (port == 0)
        bound = impl.http.bind_to_any_port("127.0.0.1");
    else if (!impl.http.bind_to_port("127.0.0.1", port))
        bound = -1;
    if (bound <= 0)
        return false;
    impl.port = bound;
    {
        std::map<std::string, Canned> files =
            defaultUpdateFiles(baseUrl(), impl.options.signingKey);
        for (auto& [path, canned] : impl.options.files)
            files[path] = canned;
        std::lock_guard lock(impl.mutex);
        impl.files = std::move(files);
    }
    impl.listener = std::thread([&impl] {
        impl.http.listen_after_bind();
        impl.listenerDone = true;
    });
    // httplib's stop() does nothing until the accept loop runs: wait for it, so
    // that a stop right after start cannot leave the loop running for ever.
    while (!impl.http.is_running() && !impl.listenerDone)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void Server::stop() {
    Impl& impl = *m_impl;
    // Close the listening socket first, so that released connections see the
    // stop and are not kept alive for another request.
    impl.http.stop();
    {
        std::lock_guard lock(impl.mutex);
        impl.stopping = true;
    }
    impl.released.notify_all();
    if (impl.listener.joinable())
        impl.listener.join();
}

int Server::port() const {
    return m_impl->port;
}

std::string Server::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(port());
}

int Server::pageCount() const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->pages;
}

void Server::publish(const std::vector<Draw>& newer) {
    Impl& impl = *m_impl;
    std::lock_guard lock(impl.mutex);
    impl.newestFirst.insert(impl.newestFirst.begin(), newer.rbegin(), newer.rend());
    const int total = static_cast<int>(impl.newestFirst.size());
    impl.pages = (total + impl.options.perPage - 1) / impl.options.perPage;
}

void Server::setListPages(bool served) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->options.listPages = served;
}

void Server::setSourceFault(LiveSource source, SourceFault fault) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->options.sourceFaults[source] = fault;
}

std::string Server::lastHeader(const std::string& path, const std::string& name) const {
    std::lock_guard lock(m_impl->mutex);
    const auto it = m_impl->lastHeaders.find(path);
    if (it == m_impl->lastHeaders.end())
        return {};
    const auto h = it->second.find(name);
    return h == it->second.end() ? std::string() : h->second;
}

int Server::requests(const std::string& path) const {
    std::lock_guard lock(m_impl->mutex);
    const auto it = m_impl->counts.find(path);
    return it == m_impl->counts.end() ? 0 : it->second;
}

std::vector<std::string> Server::targets() const {
    std::lock_guard lock(m_impl->mutex);
    return {m_impl->targets.begin(), m_impl->targets.end()};
}

} // namespace ssq::demo
