#pragma once
// DrawStore: the local draw history, one SQLite file (WAL journal) with one
// table of draws keyed by period. Only draws that pass the checks are stored;
// a stored draw is never overwritten: later sources add draws and fill empty
// sales or pool fields, and a source that disagrees is logged and ignored.
// Every write is one transaction.

#include "store/draw_record.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace ssq::store {

struct MergeResult {
    bool ok = false;   // false: nothing was written (see error)
    std::string error; // why the batch was refused or the write failed
    int added = 0;     // draws new to the store
    int filled = 0;    // stored draws that gained sales or pool
    int conflicts = 0; // draws that disagree with the stored ones (kept as stored)
};

enum class Order { OldestFirst, NewestFirst };

class DrawStore {
public:
    using Log = std::function<void(const std::string&)>;

    // Opens (creating as needed) the store file at `path`, a UTF-8 file name
    // whose folder is created when missing. A file that cannot be opened as
    // the store is renamed aside (`<path>.damaged-<time>`, never deleted) and a
    // fresh store is built in its place; if even that fails, the store lives
    // in memory for this run. `opened()` then says what happened. Messages
    // (conflicts, set-asides) go to `log`.
    explicit DrawStore(std::string path, Log log = {});
    ~DrawStore();
    DrawStore(const DrawStore&) = delete;
    DrawStore& operator=(const DrawStore&) = delete;

    enum class Opened {
        Normally,
        Rebuilt,  // the old file was damaged: kept as setAsideAs(), a new one built
        InMemory, // no file could be used: draws last until the program ends
    };
    Opened opened() const { return m_opened; }
    const std::string& setAsideAs() const { return m_asidePath; }
    const std::string& path() const { return m_path; }

    // Checks every draw (checkDraw) and writes the batch in one transaction:
    // all or nothing. `source` and the time of writing are recorded with each
    // new draw; a draw's own non-empty `source` wins.
    MergeResult merge(const std::vector<DrawRecord>& draws, const std::string& source);

    std::vector<DrawRecord> draws(Order order) const;
    int count() const;
    // The latest stored period, 0 for an empty store.
    std::int32_t latestPeriod() const;

private:
    bool openAt(const std::string& file);
    void setAside();
    void logLine(const std::string& line) const;

    std::string m_path;
    Log m_log;
    sqlite3* m_db = nullptr;
    Opened m_opened = Opened::Normally;
    std::string m_asidePath;
};

} // namespace ssq::store
