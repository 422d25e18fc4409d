// The hand-off contract: the arguments the program starts the updater with,
// and what the updater's own check reads back from them.

#include "text/codec.h"
#include "update/updater_command_line.h"
#include "updater/updater_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ssq::update {
namespace {

using text::gbk;

struct ArgumentCase {
    const char* name;
    UpdaterValues values; // code page 936, as read from the manifest
    std::vector<std::string> arguments;
};

class UpdaterArgumentList : public ::testing::TestWithParam<ArgumentCase> {};

std::string caseName(const ::testing::TestParamInfo<ArgumentCase>& param) {
    std::string name = param.param.name;
    for (char& ch : name)
        if (ch == ' ')
            ch = '_';
    return name;
}

// One argument per value whatever it holds, and the updater reads each value
// from its own place: nothing shifts, and the program is always restarted.
TEST_P(UpdaterArgumentList, OneArgumentPerValue) {
    const ArgumentCase& c = GetParam();
    const std::vector<std::string> arguments = updaterArguments(c.values);
    EXPECT_EQ(arguments, c.arguments);

    const auto call = updater::readArguments(arguments);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->downloadUrl, text::gbkToUtf8(c.values.downloadUrl));
    EXPECT_EQ(call->title, text::gbkToUtf8(c.values.title));
    EXPECT_EQ(call->programFile, "澜舟号录.exe");
    EXPECT_EQ(call->signature, c.values.signature);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpdaterArgumentList,
    ::testing::Values(
        ArgumentCase{"plain",
                     {"A", "B", "C", "D", "S=="},
                     {"验证参数", "A", "B", "运行", "澜舟号录.exe", "C", "D", "S=="}},
        ArgumentCase{"spaces",
                     {"http://h/a b.zip", gbk("A B C"), "C D", gbk("修正 两处 问题"), "S S"},
                     {"验证参数", "http://h/a b.zip", "A B C", "运行", "澜舟号录.exe", "C D",
                      "修正 两处 问题", "S S"}},
        ArgumentCase{"empty values",
                     {"", "", "", "", ""},
                     {"验证参数", "", "", "运行", "澜舟号录.exe", "", "", ""}},
        ArgumentCase{"missing file name and notes",
                     {"A", "B", "", "", "S"},
                     {"验证参数", "A", "B", "运行", "澜舟号录.exe", "", "", "S"}},
        ArgumentCase{
            "leading dashes",
            {"-platform", "--title", "-", "-- x", "--sig"},
            {"验证参数", "-platform", "--title", "运行", "澜舟号录.exe", "-", "-- x", "--sig"}},
        ArgumentCase{"quotes and tabs",
                     {"\"A\"", "B\tC", "'C'", "\"\"", "\""},
                     {"验证参数", "\"A\"", "B\tC", "运行", "澜舟号录.exe", "'C'", "\"\"", "\""}}),
    caseName);

TEST(UpdaterPlace, OneRootForWritingAndStarting) {
    EXPECT_EQ(updaterFolder("/home/李 明/my tools"), "/home/李 明/my tools/升级文件");
    EXPECT_EQ(updaterFile("/home/李 明/my tools"), "/home/李 明/my tools/升级文件/update.exe");
}

TEST(UpdaterArguments, Refusals) {
    const std::vector<std::string> good{"验证参数", "u", "t", "运行", "p.exe", "f"};
    EXPECT_TRUE(updater::readArguments(good));
    EXPECT_FALSE(updater::readArguments({}));
    EXPECT_FALSE(updater::readArguments({good.begin(), good.end() - 1}));
    auto wrongMarker = good;
    wrongMarker[0] = "验证";
    EXPECT_FALSE(updater::readArguments(wrongMarker));
    // A call without the eighth argument (an older program) carries no
    // signature: it is read, and the package is then refused.
    EXPECT_EQ(updater::readArguments(good)->signature, "");
}

TEST(UpdaterArguments, OnlyAPlainFileNameIsStarted) {
    const auto folders = updater::foldersFor("/opt/ssq/升级文件/");
    EXPECT_EQ(folders.programDir, "/opt/ssq");
    EXPECT_EQ(folders.unpackDir, "/opt/ssq/升级文件/e_update");
    EXPECT_EQ(updater::programToStart(folders, "澜舟号录.exe"), "/opt/ssq/澜舟号录.exe");
    for (const char* wrong : {"", ".", "..", "../x", "/bin/sh", "sub/x"})
        EXPECT_EQ(updater::programToStart(folders, wrong), "") << wrong;
}

} // namespace
} // namespace ssq::update
