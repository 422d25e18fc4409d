// The draw store on a real SQLite file in a temporary folder: seeding from the
// bundled history, adding and filling, conflicts kept out, damaged files set aside.

#include "store/draw_store.h"
#include "store/snapshot_csv.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ssq::store {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class StoreTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ssq-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string file() const { return (m_dir / "data" / "draws.sqlite").string(); }
    DrawStore::Log collect() {
        return [this](const std::string& line) { m_log.push_back(line); };
    }

    fs::path m_dir;
    std::vector<std::string> m_log;
};

DrawRecord draw(std::int32_t period, int blue = 7) {
    DrawRecord d;
    d.period = period;
    d.date = std::to_string(period / 1000) + "-11-0" + std::to_string(period % 9 + 1);
    d.reds = {2, 4, 6, 8, 10, 12};
    d.blue = blue;
    return d;
}

const SnapshotRead& bundled() {
    static const SnapshotRead read =
        readSnapshotCsv(readAll(fs::path(SSQ_SOURCE_DIR) / "data" / "ssq_history.csv"));
    return read;
}

TEST(Snapshot, BundledHistoryReadsWholeAndRefusesADamagedLine) {
    const SnapshotRead& read = bundled();
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.draws.size(), 3493u);
    EXPECT_EQ(read.draws.front().period, 2003001);
    EXPECT_EQ(read.draws.front().date, "2003-02-23");
    EXPECT_EQ(read.draws.front().reds, (std::array<int, 6>{10, 11, 12, 13, 26, 28}));
    EXPECT_EQ(read.draws.back().period, 2026096);
    EXPECT_EQ(read.draws.back().pool, 654135395);

    const std::string head = "issue,date,r1,r2,r3,r4,r5,r6,b1,sales,pool\n"
                             "03001,2003-02-23,10,11,12,13,26,28,11,10307806,2097070\n";
    for (const char* bad : {"03002,2003-02-27,4,9,19,20,21,26,17,7398870,8330621\n",
                            "03002,2003-02-27,4,9,19,20,21,26,12,7398870\n",
                            "03003,2003-03-02,1,7,10,23,28,32,16,8917960,9881677\n",
                            "03002,2003-02-27,4,9,19,20,21,26,12,-3,8330621\n"}) {
        const SnapshotRead r = readSnapshotCsv(head + bad);
        EXPECT_TRUE(r.draws.empty()) << bad;
        EXPECT_NE(r.error, "") << bad;
    }
}

TEST_F(StoreTest, SeedsOnceAndKeepsTheHistoryAcrossRuns) {
    {
        DrawStore store(file(), collect());
        EXPECT_EQ(store.opened(), DrawStore::Opened::Normally);
        EXPECT_EQ(store.latestPeriod(), 0);
        const MergeResult seeded = store.merge(bundled().draws, "snapshot");
        ASSERT_TRUE(seeded.ok) << seeded.error;
        EXPECT_EQ(seeded.added, 3493);
    }
    DrawStore again(file(), collect());
    EXPECT_EQ(again.count(), 3493);
    EXPECT_EQ(again.latestPeriod(), 2026096);
    const std::vector<DrawRecord> newest = again.draws(Order::NewestFirst);
    ASSERT_EQ(newest.size(), 3493u);
    EXPECT_EQ(newest.front().period, 2026096);
    EXPECT_EQ(newest.front().source, "snapshot");
    EXPECT_FALSE(newest.front().storedAt.empty());
    EXPECT_TRUE(newest.front().sameDraw(bundled().draws.back()));
    EXPECT_EQ(again.draws(Order::OldestFirst).front().period, 2003001);
    // Merging the same history again changes nothing.
    const MergeResult repeat = again.merge(bundled().draws, "snapshot");
    EXPECT_TRUE(repeat.ok);
    EXPECT_EQ(repeat.added + repeat.filled + repeat.conflicts, 0);
    EXPECT_TRUE(fs::exists(file() + "-wal")) << "written through a WAL journal";
}

TEST_F(StoreTest, AddsNewDrawsFillsGapsAndNeverOverwrites) {
    DrawStore store(file(), collect());
    DrawRecord first = draw(2026097);
    first.sales = 100;
    ASSERT_TRUE(store.merge({first}, "cwl").ok);

    DrawRecord filled = draw(2026097);
    filled.sales = 100;
    filled.pool = 555;
    DrawRecord conflicting = draw(2026097, 9);
    DrawRecord newer = draw(2026098);
    const MergeResult fill = store.merge({filled}, "text");
    EXPECT_EQ(fill.filled, 1);
    const MergeResult mixed = store.merge({conflicting, newer}, "zhcw");
    ASSERT_TRUE(mixed.ok);
    EXPECT_EQ(mixed.added, 1);
    EXPECT_EQ(mixed.conflicts, 1);
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_NE(m_log[0].find("2026097"), std::string::npos);

    const std::vector<DrawRecord> all = store.draws(Order::OldestFirst);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].blue, 7) << "the stored draw stays";
    EXPECT_EQ(all[0].source, "cwl");
    EXPECT_EQ(all[0].sales, 100);
    EXPECT_EQ(all[0].pool, 555);
    EXPECT_EQ(all[1].source, "zhcw");
    EXPECT_FALSE(all[1].sales.has_value());

    // A differing amount is a conflict too; a batch with a bad draw writes nothing.
    DrawRecord otherPool = draw(2026097);
    otherPool.pool = 1;
    EXPECT_EQ(store.merge({otherPool}, "zhcw").conflicts, 1);
    DrawRecord bad = draw(2026100, 17);
    const MergeResult refused = store.merge({draw(2026099), bad}, "zhcw");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error, "");
    EXPECT_EQ(store.count(), 2);
}

TEST_F(StoreTest, DamagedFileIsSetAsideAndANewStoreBuilt) {
    // A store whose pages after the first were overwritten, and a file that
    // never was a database.
    {
        DrawStore store(file(), collect());
        ASSERT_TRUE(store.merge(bundled().draws, "snapshot").ok);
    }
    std::string damaged = readAll(file());
    ASSERT_GT(damaged.size(), 20000u);
    damaged.replace(4096, 12288, std::string(12288, 'x'));
    const std::string cases[] = {damaged, std::string(5000, 'x')};
    std::vector<std::string> asides;
    for (const std::string& content : cases) {
        fs::remove(file() + "-wal");
        fs::remove(file() + "-shm");
        { std::ofstream(file(), std::ios::binary | std::ios::trunc) << content; }
        DrawStore store(file(), collect());
        EXPECT_EQ(store.opened(), DrawStore::Opened::Rebuilt);
        EXPECT_EQ(readAll(store.setAsideAs()), content) << "kept, never deleted";
        EXPECT_EQ(store.count(), 0);
        EXPECT_TRUE(store.merge({draw(2026097)}, "zhcw").ok);
        EXPECT_EQ(store.count(), 1);
        asides.push_back(store.setAsideAs());
    }
    // The second set-aside (likely in the same second) did not replace the first.
    ASSERT_EQ(asides.size(), 2u);
    EXPECT_NE(asides[0], asides[1]);
    EXPECT_EQ(readAll(asides[0]), damaged);
}

TEST_F(StoreTest, ForeignTableIsSetAsideAndUnwritablePlaceFallsBackToMemory) {
    {
        DrawStore store(file(), collect());
        ASSERT_TRUE(store.merge({draw(2026097)}, "zhcw").ok);
    }
    // Another program's table under our name is not ours to use.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(
        sqlite3_exec(db, "DROP TABLE draws; CREATE TABLE draws(x)", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    {
        DrawStore store(file(), collect());
        EXPECT_EQ(store.opened(), DrawStore::Opened::Rebuilt);
        EXPECT_TRUE(fs::exists(store.setAsideAs()));
    }
    // A folder that cannot exist (its parent is a file): the run goes on in memory.
    const std::string blocked = (m_dir / "data" / "draws.sqlite" / "x" / "draws.sqlite").string();
    DrawStore memory(blocked, collect());
    EXPECT_EQ(memory.opened(), DrawStore::Opened::InMemory);
    EXPECT_TRUE(memory.merge({draw(2026097)}, "zhcw").ok);
    EXPECT_EQ(memory.latestPeriod(), 2026097);
}

} // namespace
} // namespace ssq::store
