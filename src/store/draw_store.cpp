#include "store/draw_store.h"

#include "store/draw_check.h"

#include <sqlite3.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace ssq::store {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSchema = "CREATE TABLE IF NOT EXISTS draws ("
                                " period INTEGER PRIMARY KEY,"
                                " date TEXT NOT NULL,"
                                " red1 INTEGER NOT NULL, red2 INTEGER NOT NULL,"
                                " red3 INTEGER NOT NULL, red4 INTEGER NOT NULL,"
                                " red5 INTEGER NOT NULL, red6 INTEGER NOT NULL,"
                                " blue INTEGER NOT NULL,"
                                " sales INTEGER, pool INTEGER,"
                                " source TEXT NOT NULL, stored_at TEXT NOT NULL)";
constexpr const char* kColumns =
    "period, date, red1, red2, red3, red4, red5, red6, blue, sales, pool, source, stored_at";

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string utcNow(const char* format) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, format, &tm);
    return buffer;
}

void bindAmount(sqlite3_stmt* s, int at, const std::optional<std::int64_t>& v) {
    if (v)
        sqlite3_bind_int64(s, at, *v);
    else
        sqlite3_bind_null(s, at);
}

std::optional<std::int64_t> columnAmount(sqlite3_stmt* s, int at) {
    if (sqlite3_column_type(s, at) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_column_int64(s, at);
}

std::string columnText(sqlite3_stmt* s, int at) {
    const unsigned char* t = sqlite3_column_text(s, at);
    return t ? reinterpret_cast<const char*>(t) : std::string();
}

DrawRecord readRow(sqlite3_stmt* s) {
    DrawRecord d;
    d.period = sqlite3_column_int(s, 0);
    d.date = columnText(s, 1);
    for (int i = 0; i < 6; ++i)
        d.reds[static_cast<std::size_t>(i)] = sqlite3_column_int(s, 2 + i);
    d.blue = sqlite3_column_int(s, 8);
    d.sales = columnAmount(s, 9);
    d.pool = columnAmount(s, 10);
    d.source = columnText(s, 11);
    d.storedAt = columnText(s, 12);
    return d;
}

// The table is the one this program writes: all thirteen columns by name.
bool hasOurSchema(sqlite3* db) {
    Statement s(db, "SELECT name FROM pragma_table_info('draws') ORDER BY cid");
    if (!s)
        return false;
    std::string names;
    while (sqlite3_step(s.get()) == SQLITE_ROW)
        names += (names.empty() ? "" : ", ") + columnText(s.get(), 0);
    return names == kColumns;
}

} // namespace

DrawStore::DrawStore(std::string path, Log log) : m_path(std::move(path)), m_log(std::move(log)) {
    std::error_code ec;
    const fs::path file(m_path);
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    if (openAt(m_path))
        return;
    if (fs::exists(file, ec)) {
        setAside();
        if (m_opened == Opened::Rebuilt && openAt(m_path))
            return;
    }
    logLine("the draw store " + m_path + " cannot be opened; draws are kept in memory this run");
    m_opened = Opened::InMemory;
    openAt(":memory:");
}

DrawStore::~DrawStore() {
    sqlite3_close_v2(m_db);
}

bool DrawStore::openAt(const std::string& file) {
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_busy_timeout(db, 2000);
    bool ok = file == ":memory:" || exec(db, "PRAGMA journal_mode=WAL");
    if (ok) {
        Statement check(db, "PRAGMA quick_check");
        ok = check && sqlite3_step(check.get()) == SQLITE_ROW && columnText(check.get(), 0) == "ok";
    }
    ok = ok && exec(db, kSchema) && hasOurSchema(db);
    if (!ok) {
        sqlite3_close_v2(db);
        return false;
    }
    exec(db, "PRAGMA synchronous=NORMAL");
    m_db = db;
    return true;
}

void DrawStore::setAside() {
    // Never over an earlier damaged file: a second one in the same second gets a number.
    const std::string stem = m_path + ".damaged-" + utcNow("%Y%m%dT%H%M%SZ");
    std::error_code ec;
    std::string aside = stem;
    for (int n = 2; fs::exists(aside, ec) && n < 1000; ++n)
        aside = stem + "-" + std::to_string(n);
    fs::rename(m_path, aside, ec);
    if (ec) {
        logLine("the damaged draw store " + m_path + " could not be renamed: " + ec.message());
        return;
    }
    // A journal left beside the damaged file belongs to it; it goes along.
    for (const char* suffix : {"-wal", "-shm"})
        if (fs::exists(m_path + suffix, ec))
            fs::rename(m_path + suffix, aside + suffix, ec);
    logLine("the draw store " + m_path + " was damaged; kept as " + aside +
            ", a new one was built");
    m_opened = Opened::Rebuilt;
    m_asidePath = aside;
}

void DrawStore::logLine(const std::string& line) const {
    if (m_log)
        m_log(line);
    else
        std::cerr << "draw store: " << line << '\n';
}

MergeResult DrawStore::merge(const std::vector<DrawRecord>& draws, const std::string& source) {
    MergeResult result;
    for (const DrawRecord& d : draws) {
        if (auto why = checkDraw(d)) {
            result.error = *why;
            return result;
        }
    }
    if (!m_db) {
        result.error = "no store";
        return result;
    }
    const std::string now = utcNow("%Y-%m-%dT%H:%M:%SZ");
    if (!exec(m_db, "BEGIN IMMEDIATE")) {
        result.error = sqlite3_errmsg(m_db);
        return result;
    }
    {
        Statement find(m_db, "SELECT period, date, red1, red2, red3, red4, red5, red6, blue, "
                             "sales, pool, source, stored_at FROM draws WHERE period = ?");
        Statement insert(m_db, "INSERT INTO draws VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Statement fill(m_db, "UPDATE draws SET sales = ?, pool = ? WHERE period = ?");
        bool ok = find && insert && fill;
        for (std::size_t i = 0; ok && i < draws.size(); ++i) {
            const DrawRecord& d = draws[i];
            sqlite3_reset(find.get());
            sqlite3_bind_int(find.get(), 1, d.period);
            const int step = sqlite3_step(find.get());
            if (step == SQLITE_DONE) {
                sqlite3_stmt* s = insert.get();
                sqlite3_reset(s);
                sqlite3_bind_int(s, 1, d.period);
                sqlite3_bind_text(s, 2, d.date.c_str(), -1, SQLITE_TRANSIENT);
                for (int r = 0; r < 6; ++r)
                    sqlite3_bind_int(s, 3 + r, d.reds[static_cast<std::size_t>(r)]);
                sqlite3_bind_int(s, 9, d.blue);
                bindAmount(s, 10, d.sales);
                bindAmount(s, 11, d.pool);
                const std::string& from = d.source.empty() ? source : d.source;
                sqlite3_bind_text(s, 12, from.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(s, 13, now.c_str(), -1, SQLITE_TRANSIENT);
                ok = sqlite3_step(s) == SQLITE_DONE;
                ++result.added;
                continue;
            }
            if (step != SQLITE_ROW) {
                ok = false;
                break;
            }
            const DrawRecord stored = readRow(find.get());
            const bool salesDiffer = stored.sales && d.sales && *stored.sales != *d.sales;
            const bool poolDiffer = stored.pool && d.pool && *stored.pool != *d.pool;
            if (!stored.sameDraw(d) || salesDiffer || poolDiffer) {
                ++result.conflicts;
                logLine("period " + std::to_string(d.period) + " from " + source +
                        " disagrees with the stored draw from " + stored.source +
                        "; the stored draw is kept");
                continue;
            }
            const auto sales = stored.sales ? stored.sales : d.sales;
            const auto pool = stored.pool ? stored.pool : d.pool;
            if (sales == stored.sales && pool == stored.pool)
                continue;
            sqlite3_stmt* s = fill.get();
            sqlite3_reset(s);
            bindAmount(s, 1, sales);
            bindAmount(s, 2, pool);
            sqlite3_bind_int(s, 3, d.period);
            ok = sqlite3_step(s) == SQLITE_DONE;
            ++result.filled;
        }
        if (!ok) {
            result = MergeResult{};
            result.error = sqlite3_errmsg(m_db);
        }
    }
    if (!result.error.empty()) {
        exec(m_db, "ROLLBACK");
        return result;
    }
    if (!exec(m_db, "COMMIT")) {
        result = MergeResult{};
        result.error = sqlite3_errmsg(m_db);
        exec(m_db, "ROLLBACK");
        return result;
    }
    result.ok = true;
    return result;
}

std::vector<DrawRecord> DrawStore::draws(Order order) const {
    std::vector<DrawRecord> out;
    if (!m_db)
        return out;
    const std::string sql = std::string("SELECT ") + kColumns + " FROM draws ORDER BY period " +
                            (order == Order::NewestFirst ? "DESC" : "ASC");
    Statement s(m_db, sql.c_str());
    if (!s)
        return out;
    while (sqlite3_step(s.get()) == SQLITE_ROW)
        out.push_back(readRow(s.get()));
    return out;
}

int DrawStore::count() const {
    Statement s(m_db, "SELECT COUNT(*) FROM draws");
    return s && sqlite3_step(s.get()) == SQLITE_ROW ? sqlite3_column_int(s.get(), 0) : 0;
}

std::int32_t DrawStore::latestPeriod() const {
    Statement s(m_db, "SELECT MAX(period) FROM draws");
    return s && sqlite3_step(s.get()) == SQLITE_ROW ? sqlite3_column_int(s.get(), 0) : 0;
}

} // namespace ssq::store
