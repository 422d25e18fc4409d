// The command-line companion: commands, their output and exit codes, with the
// bundled history and with files of our own.
#include "numbers_cli.h"
#include "store/draw_store.h"

#include "numbers/bundled_history.h"
#include "numbers/csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ssq::numbers_cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome runWith(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = run(args, in, out, err);
    return {code, out.str(), err.str()};
}

class Folder : public ::testing::Test {
protected:
    fs::path dir =
        fs::temp_directory_path() /
        ("ssq_numbers_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
};

// Two draws, 2026001 and 2026002; one bad line the reader skips with a warning.
constexpr const char* kTwoDraws = "issue,date,r1,r2,r3,r4,r5,r6,b1\n"
                                  "26001,2026-01-01,1,2,3,4,5,6,7\n"
                                  "26002,2026-01-03,10,11,12,13,14,15,16\n"
                                  "26003,2026-01-05,1,2,3,4,5,99,1\n";

TEST_F(Folder, CommandsAndTheirExitCodes) {
    const std::string data = write("draws.csv", kTwoDraws);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        int code;
        const char* out; // a part of the output, or empty
        const char* err; // a part of the errors, or empty
    };
    const Case cases[] = {
        {"first prize on the newest draw",
         {"--data", data, "check", "10 11 12 13 14 15 + 16"},
         "",
         kExitOk,
         "一等奖 1 注",
         "第 4 行"},
        {"unquoted ticket is one ticket",
         {"--data", data, "check", "01", "02", "03", "04", "05", "06", "07", "--period", "2026001"},
         "",
         kExitOk,
         "一等奖 1 注",
         ""},
        {"five-digit period",
         {"--data", data, "check", "1 2 3 4 5 6 + 7", "--period", "26001"},
         "",
         kExitOk,
         "第 2026001 期",
         ""},
        {"compound against all draws",
         {"--data", data, "check", "1 2 3 4 5 6 8 + 7 16", "--all"},
         "",
         kExitOk,
         "复式 14 注",
         ""},
        {"tickets from standard input",
         {"--data", data, "check", "-"},
         "10 11 12 13 14 15 16\n\n01 02 03 04 05 06 16\r\n",
         kExitOk,
         "合计：2 注，一等奖 1 注，六等奖 1 注",
         ""},
        {"bad ticket still checks the good one",
         {"--data", data, "check", "10 11 12 13 14 15 + 16", "1 2 3 + 4"},
         "",
         kExitBadInput,
         "第 1 注",
         "第 2 注“1 2 3 + 4”：红球不足 6 个"},
        {"unknown period",
         {"--data", data, "check", "1 2 3 4 5 6 + 7", "--period", "2026009"},
         "",
         kExitBadInput,
         "",
         "没有第 2026009 期"},
        {"period and all together",
         {"--data", data, "check", "1 2 3 4 5 6 + 7", "--period", "26001", "--all"},
         "",
         kExitUsage,
         "",
         "只能选一个"},
        {"check without tickets", {"check"}, "", kExitUsage, "", "至少一注"},
        {"stats of the last draw",
         {"--data", data, "stats", "--last", "1"},
         "",
         kExitOk,
         "红10     1",
         ""},
        {"stats as csv", {"--data", data, "stats", "--csv"}, "", kExitOk, "号码,颜色,出现次数", ""},
        {"last is not a number",
         {"stats", "--last", "ten"},
         "",
         kExitUsage,
         "",
         "--last 需要正整数"},
        {"last of zero", {"stats", "--last", "0"}, "", kExitUsage, "", "--last 需要正整数"},
        {"missing value", {"stats", "--last"}, "", kExitUsage, "", "--last 后面缺少值"},
        {"unknown command", {"predict"}, "", kExitUsage, "", "不认识的命令 predict"},
        {"no command", {}, "", kExitUsage, "", "缺少命令"},
        {"help", {"--help"}, "", kExitOk, "用法", ""},
        {"missing data file",
         {"--data", (dir / "none.csv").string(), "stats"},
         "",
         kExitFile,
         "",
         "无法读取"},
        {"export into a missing folder",
         {"--data", data, "export", "--csv", (dir / "no" / "x.csv").string()},
         "",
         kExitFile,
         "",
         "无法写入"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome r = runWith(c.args, c.input);
        EXPECT_EQ(r.code, c.code) << r.out << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

// The local draw store as the history: its draws, oldest first; a store
// file that is not there is an error, not an empty history.
TEST_F(Folder, ReadsTheLocalDrawStore) {
    const std::string path = (dir / "draws.sqlite").string();
    {
        store::DrawStore stored(path);
        store::DrawRecord first;
        first.period = 2026001;
        first.date = "2026-01-01";
        first.reds = {1, 2, 3, 4, 5, 6};
        first.blue = 7;
        store::DrawRecord second;
        second.period = 2026002;
        second.date = "2026-01-03";
        second.reds = {10, 11, 12, 13, 14, 15};
        second.blue = 16;
        ASSERT_TRUE(stored.merge({second, first}, "test").ok);
    }
    const Outcome latest = runWith({"--store", path, "check", "10 11 12 13 14 15 + 16"});
    EXPECT_EQ(latest.code, kExitOk) << latest.err;
    EXPECT_NE(latest.out.find("2026002"), std::string::npos) << latest.out;
    EXPECT_NE(latest.out.find("一等奖"), std::string::npos) << latest.out;

    const Outcome missing = runWith({"--store", (dir / "none.sqlite").string(), "stats"});
    EXPECT_EQ(missing.code, kExitFile);
    EXPECT_FALSE(fs::exists(dir / "none.sqlite"));
    const Outcome both = runWith({"--store", path, "--data", path, "stats"});
    EXPECT_EQ(both.code, kExitUsage);
}

TEST_F(Folder, ExportWritesTheBundledHistoryThatReadsBack) {
    const std::string path = (dir / "out.csv").string();
    const Outcome r = runWith({"export", "--csv", path});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_TRUE(text.str().starts_with(numbers::kUtf8Bom));
    const numbers::HistoryFile back = numbers::readHistoryCsv(text.str());
    EXPECT_TRUE(back.errors.empty());
    EXPECT_EQ(back.draws.size(), numbers::bundledHistory().draws.size());

    // The export is a history file the tool reads again.
    const Outcome again = runWith({"--data", path, "stats", "--last", "30"});
    EXPECT_EQ(again.code, kExitOk);
    EXPECT_NE(again.out.find("最近 30 期"), std::string::npos);
    EXPECT_NE(again.out.find("每期开奖相互独立"), std::string::npos);
}

TEST(Program, ExitCodeReachesTheShell) {
    const std::string program = SSQ_NUMBERS_PROGRAM;
    EXPECT_EQ(WEXITSTATUS(std::system((program + " stats --last 5 >/dev/null").c_str())), kExitOk);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " check '1 2 3' >/dev/null 2>&1").c_str())),
              kExitBadInput);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " nonsense >/dev/null 2>&1").c_str())),
              kExitUsage);
}

} // namespace
} // namespace ssq::numbers_cli
