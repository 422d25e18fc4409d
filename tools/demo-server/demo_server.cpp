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

    void answerListPage(int page, httplib::Response& res) {
        const auto faultIt = options.faults.find(page);
        const PageFault fault = faultIt == options.faults.end() ? PageFault{} : faultIt->second;
        if (fault.kind == PageFault::Kind::Hang)
            return answerHang(res);
        if (fault.kind == PageFault::Kind::NotFound) {
            res.status = 404;
            res.set_content(notFoundPage(listPagePathOf(page)), kHtml);
            return;
        }
        const std::size_t first = static_cast<std::size_t>(page - 1) * options.perPage;
        const std::size_t last =
            std::min(newestFirst.size(), first + static_cast<std::size_t>(options.perPage));
        const std::vector<Draw> pageDraws(newestFirst.begin() + static_cast<std::ptrdiff_t>(first),
                                          newestFirst.begin() + static_cast<std::ptrdiff_t>(last));
        std::string body =
            renderListPage(pageDraws, page, pages, static_cast<int>(newestFirst.size()), fault);
        if (fault.kind == PageFault::Kind::Stall)
            return answerStall(res, std::move(body), kHtml);
        res.set_content(std::move(body), kHtml);
    }

    static std::string listPagePathOf(int page) {
        return kListPrefix + std::to_string(page) + kListSuffix;
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
        }
        if (options.latencyMs > 0 && waitForStop(options.latencyMs)) {
            res.status = 503;
            return;
        }
        if (req.method != "GET" && req.method != "HEAD") {
            res.status = 405;
            return;
        }
        if (canned) {
            if (canned->hang)
                return answerHang(res);
            res.status = canned->status;
            res.set_content(canned->body, canned->contentType.c_str());
            return;
        }
        const int page = listPageNumber(path);
        if (page >= 1 && page <= pages)
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
        std::map<std::string, Canned> files = defaultUpdateFiles(baseUrl());
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
    return m_impl->pages;
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
