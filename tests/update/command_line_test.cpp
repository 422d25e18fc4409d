// The hand-off contract: the command line the program builds, split by the
// updater's own rules, and the updater's check of what it received.

#include "text/codec.h"
#include "update/updater_command_line.h"
#include "updater/updater_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ssq::update {
namespace {

using text::gbk;

// What the updater receives: the split pieces after its path, in UTF-8.
std::vector<std::string> receivedArguments(const std::string& line) {
    const auto parts = splitUpdaterCommandLine(line);
    std::vector<std::string> args;
    for (std::size_t i = 1; i < parts.size(); ++i)
        args.push_back(text::gbkToUtf8(parts[i]));
    return args;
}

TEST(UpdaterCommandLine, PlainValues) {
    const std::string line = updaterCommandLine("/opt/ssq", {"A", "B", "C", "D"});
    EXPECT_EQ(line, gbk("/opt/ssq/升级文件/update.exe 验证参数 A B 运行 澜舟号录.exe C D"));

    const auto parts = splitUpdaterCommandLine(line);
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts[0], gbk("/opt/ssq/升级文件/update.exe"));
    EXPECT_EQ(receivedArguments(line),
              (std::vector<std::string>{"验证参数", "A", "B", "运行", "澜舟号录.exe", "C", "D"}));
    const auto call = updater::readArguments(receivedArguments(line));
    ASSERT_TRUE(call);
    EXPECT_EQ(call->downloadUrl, "A");
    EXPECT_EQ(call->title, "B");
    EXPECT_EQ(call->programFile, "澜舟号录.exe");
}

TEST(UpdaterCommandLine, MissingFileNameAndNotesIsRefused) {
    const std::string line = updaterCommandLine("/opt/ssq", {"A", "B", "", ""});
    EXPECT_EQ(line, gbk("/opt/ssq/升级文件/update.exe 验证参数 A B 运行 澜舟号录.exe  "));
    EXPECT_EQ(receivedArguments(line).size(), 5u);
    EXPECT_FALSE(updater::readArguments(receivedArguments(line)));
}

TEST(UpdaterCommandLine, FolderWithSpaceIsQuotedAndHandsOver) {
    const std::string folder = gbk("/home/李 明/my tools");
    const std::string line = updaterCommandLine(folder, {"A", "B", "C", "D"});
    EXPECT_EQ(line, "\"" + folder + gbk("/升级文件/update.exe\" 验证参数 A B 运行 澜舟号录.exe C D"));
    const auto parts = splitUpdaterCommandLine(line);
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts[0], folder + gbk("/升级文件/update.exe"));
    const auto call = updater::readArguments(receivedArguments(line));
    ASSERT_TRUE(call);
    EXPECT_EQ(call->downloadUrl, "A");
    EXPECT_EQ(call->programFile, "澜舟号录.exe");
}

TEST(UpdaterCommandLine, ValuesAreNotQuoted) {
    // A space in a value splits it and shifts what follows; an empty value
    // merges its two spaces. The updater then reads the wrong values.
    EXPECT_EQ(receivedArguments(updaterCommandLine("/p", {"A", "B x", "C", "D"})),
              (std::vector<std::string>{"验证参数", "A", "B", "x", "运行", "澜舟号录.exe", "C", "D"}));
    const auto shifted = updater::readArguments(receivedArguments(updaterCommandLine("/p", {"", "B", "C", "D"})));
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->downloadUrl, "B");
    EXPECT_EQ(shifted->programFile, "C");
    // Notes of several words become several arguments; all are accepted.
    EXPECT_EQ(receivedArguments(updaterCommandLine("/p", {"A", "B", "C", "修正 两处 问题"})).size(), 9u);
}

struct SplitCase {
    const char* line;
    std::vector<std::string> parts;
};

class SplitRules : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRules, Split) { EXPECT_EQ(splitUpdaterCommandLine(GetParam().line), GetParam().parts); }

INSTANTIATE_TEST_SUITE_P(
    Table, SplitRules,
    ::testing::Values(SplitCase{"", {""}}, SplitCase{"/u/update.exe", {"/u/update.exe"}},
                      // Unquoted, the path ends at the first space.
                      SplitCase{"/my dir/update.exe a", {"/my", "dir/update.exe", "a"}},
                      SplitCase{"\"/my dir/update.exe\" a", {"/my dir/update.exe", "a"}},
                      SplitCase{"\"/unclosed a b", {"/unclosed a b"}},
                      // Runs of any bytes up to 32 separate; tabs and line breaks too.
                      SplitCase{"p a \t\r\n b  ", {"p", "a", "b"}},
                      SplitCase{"p \"two words\" x\"y z\"w \"\"", {"p", "two words", "xy zw", ""}},
                      // Bytes of 0x80 and above are never separators.
                      SplitCase{"p \xA1\xA1 \xC4\xE3", {"p", "\xA1\xA1", "\xC4\xE3"}}));

TEST(UpdaterArguments, Refusals) {
    const std::vector<std::string> good{"验证参数", "u", "t", "运行", "p.exe", "f"};
    EXPECT_TRUE(updater::readArguments(good));
    EXPECT_FALSE(updater::readArguments({}));
    EXPECT_FALSE(updater::readArguments({good.begin(), good.end() - 1}));
    auto wrongMarker = good;
    wrongMarker[0] = "验证";
    EXPECT_FALSE(updater::readArguments(wrongMarker));
}

TEST(UpdaterArguments, OnlyAPlainFileNameIsStarted) {
    const auto folders = updater::foldersFor("/opt/ssq/升级文件/");
    EXPECT_EQ(folders.programDir, "/opt/ssq");
    EXPECT_EQ(folders.unpackDir, "/opt/ssq/升级文件/e_update");
    EXPECT_EQ(updater::programToStart(folders, "澜舟号录.exe"), "/opt/ssq/澜舟号录.exe");
    for (const char* shifted : {"", ".", "..", "../x", "/bin/sh", "sub/x"})
        EXPECT_EQ(updater::programToStart(folders, shifted), "") << shifted;
}

} // namespace
} // namespace ssq::update
