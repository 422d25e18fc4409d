// The updater's work without its window: unpacking refuses hostile archives
// before writing anything, installing leaves the program's files as they were
// unless every file could be written, a failed download changes nothing, and a
// package whose signature is not the publisher's is never opened.

#include "demo_server.h"
#include "file_fixture.h"
#include "text/codec.h"
#include "update/package_signature.h"
#include "updater/updater_core.h"
#include "zip_archive.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

using demo::makeZip;
using demo::ZipEntry;

using ssq::test::readFile;
using ssq::test::snapshot;
using ssq::test::writeFile;

// <tmp>/outer/program/升级文件: the updater's place inside a program folder,
// with a sibling of the program folder to catch writes that escape.
class UpdaterFolders : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-'); // "Test/row" of a table
        root =
            fs::temp_directory_path() / ("ssq-updater-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(root);
        folders = foldersFor(root / "outer" / "program" / "升级文件");
        fs::create_directories(folders.updaterDir);
        writeFile(folders.programDir / "澜舟号录.exe", "#!/bin/sh\nold\n", fs::perms(0755));
        writeFile(folders.programDir / "data" / "keep.txt", "old data");
        writeFile(root / "outer" / "neighbour.txt", "neighbour");
    }
    void TearDown() override { fs::remove_all(root); }

    void writeArchive(const std::string& bytes) { writeFile(folders.archive, bytes); }

    fs::path root;
    Folders folders;
};

struct HostileCase {
    const char* name;
    std::vector<ZipEntry> entries;
    Failure failure;
};

class HostileArchive : public UpdaterFolders, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchive, RefusedBeforeAnythingIsWritten) {
    writeArchive(makeZip(GetParam().entries));
    const auto before = snapshot(root);
    const Result r = unpackArchive(folders.archive, folders.unpackDir);
    EXPECT_EQ(r.failure, GetParam().failure) << r.detail;
    auto after = snapshot(root);
    after.erase("outer/program/升级文件/e_update/"); // emptied and left, or never made
    EXPECT_EQ(after, before);
}

const ZipEntry kGood{"readme.txt", "fine", std::nullopt};

INSTANTIATE_TEST_SUITE_P(
    Table, HostileArchive,
    ::testing::Values(
        HostileCase{"parent_components",
                    {kGood, {"../../../escaped.txt", "x", std::nullopt}},
                    Failure::UnsafeEntry},
        HostileCase{
            "parent_inside", {{"a/../../b.txt", "x", std::nullopt}, kGood}, Failure::UnsafeEntry},
        HostileCase{"backslash_parent",
                    {kGood, {"..\\..\\escaped.txt", "x", std::nullopt}},
                    Failure::UnsafeEntry},
        HostileCase{
            "absolute", {kGood, {"/tmp/ssq-escaped.txt", "x", std::nullopt}}, Failure::UnsafeEntry},
        HostileCase{"drive", {kGood, {"C:/escaped.txt", "x", std::nullopt}}, Failure::UnsafeEntry},
        HostileCase{"symlink",
                    {{"link", "../../..", S_IFLNK | 0777}, {"link/escaped.txt", "x", std::nullopt}},
                    Failure::UnsafeEntry},
        HostileCase{"fifo", {kGood, {"pipe", "", S_IFIFO | 0644}}, Failure::UnsafeEntry},
        HostileCase{"file_over_folder",
                    {{"a", "file", std::nullopt}, {"a/b", "x", std::nullopt}},
                    Failure::Damaged},
        HostileCase{"too_deep",
                    {kGood,
                     {[] {
                          std::string deep;
                          for (std::size_t i = 0; i <= kMaxFolderDepth; ++i)
                              deep += "d/";
                          return deep + "x.txt";
                      }(),
                      "x", std::nullopt}},
                    Failure::UnsafeEntry},
        HostileCase{
            "too_many_entries",
            [] {
                std::vector<ZipEntry> many;
                for (std::int64_t i = 0; i <= kMaxEntries; ++i)
                    many.push_back({std::string("f").append(std::to_string(i)), "", std::nullopt});
                return many;
            }(),
            Failure::TooLarge}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(UpdaterFolders, DamagedArchives) {
    std::string noise(5000, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : noise) { // xorshift: does not compress away
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    const std::string good = makeZip({{"readme.txt", noise, std::nullopt}});
    std::string corrupted = good;
    corrupted[2000] = static_cast<char>(corrupted[2000] ^ 0x55); // inside the data: CRC mismatch
    // Two entries of one name (libzip will not write that, so the second is renamed afterwards).
    std::string duplicate =
        makeZip({{"readme.txt", "one", std::nullopt}, {"readme.tx2", "two", std::nullopt}});
    for (auto at = duplicate.find("readme.tx2"); at != std::string::npos;
         at = duplicate.find("readme.tx2"))
        duplicate[at + 9] = 't';
    for (const std::string& bytes :
         {good.substr(0, good.size() / 2), std::string("PK\x03\x04 not a zip"),
          std::string("<html>404</html>"), std::string(), corrupted, duplicate}) {
        writeArchive(bytes);
        const Result r = unpackArchive(folders.archive, folders.unpackDir);
        EXPECT_EQ(r.failure, Failure::Damaged);
        EXPECT_FALSE(fs::exists(folders.unpackDir / "readme.txt"));
        if (bytes == corrupted) {
            EXPECT_EQ(r.detail, "readme.txt"); // found while reading the data back
        }
    }
}

TEST_F(UpdaterFolders, UnpackAndInstall) {
    writeArchive(
        makeZip({{"澜舟号录.exe", "#!/bin/sh\nnew\n", std::nullopt}, // made on Windows: no mode
                 {"data/", "", S_IFDIR | 0755},
                 {"data/new.txt", "new data", S_IFREG | 0644},
                 {"tools/run.sh", "#!/bin/sh\n", S_IFREG | 0755},
                 {"./docs\\guide.txt", "guide", std::nullopt},
                 {ssq::text::gbk("说明.txt"), "notes", std::nullopt, /*legacyName=*/true}}));
    ASSERT_TRUE(unpackArchive(folders.archive, folders.unpackDir));
    ASSERT_TRUE(installFiles(folders.unpackDir, folders.programDir));

    const fs::path p = folders.programDir;
    EXPECT_EQ(readFile(p / "澜舟号录.exe"), "#!/bin/sh\nnew\n");
    EXPECT_EQ(readFile(p / "data" / "keep.txt"), "old data");
    EXPECT_EQ(readFile(p / "data" / "new.txt"), "new data");
    EXPECT_EQ(readFile(p / "docs" / "guide.txt"), "guide");
    EXPECT_EQ(readFile(p / "说明.txt"), "notes"); // a GBK name from a Windows-made package
    // The program stays runnable though the archive recorded no mode for it;
    // the archive's run bits are kept.
    EXPECT_NE(fs::status(p / "澜舟号录.exe").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_NE(fs::status(p / "tools" / "run.sh").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_EQ(fs::status(p / "data" / "new.txt").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    for (const auto& [name, content] : snapshot(p))
        EXPECT_TRUE(name.find(".update-new") == std::string::npos &&
                    name.find(".update-old") == std::string::npos)
            << name;
}

TEST_F(UpdaterFolders, InstallChangesNothingUnlessAllFilesCanBeWritten) {
    writeArchive(
        makeZip({{"澜舟号录.exe", "new", std::nullopt}, {"zz/blocked/x.txt", "x", std::nullopt}}));
    ASSERT_TRUE(unpackArchive(folders.archive, folders.unpackDir));
    writeFile(folders.programDir / "zz" / "blocked", "a file where the package needs a folder");
    const auto before = snapshot(folders.programDir);
    EXPECT_EQ(installFiles(folders.unpackDir, folders.programDir).failure, Failure::Install);
    EXPECT_EQ(snapshot(folders.programDir), before);
}

TEST_F(UpdaterFolders, InstallDoesNotFollowLinkedFolders) {
    fs::create_directories(root / "elsewhere");
    fs::create_directory_symlink(root / "elsewhere", folders.programDir / "linked");
    writeArchive(makeZip({{"linked/x.txt", "x", std::nullopt}}));
    ASSERT_TRUE(unpackArchive(folders.archive, folders.unpackDir));
    EXPECT_EQ(installFiles(folders.unpackDir, folders.programDir).failure, Failure::Install);
    EXPECT_TRUE(fs::is_empty(root / "elsewhere"));
}

// The publisher's key pair, made once for all tests.
const update::SigningKeys& publisher() {
    static const update::SigningKeys keys = update::generateSigningKeys();
    return keys;
}

class UpdaterDownload : public UpdaterFolders {
protected:
    void serve(std::map<std::string, demo::Canned> files) {
        demo::Options options;
        options.files = std::move(files);
        options.signingKey = publisher().secretKey;
        server = std::make_unique<demo::Server>(std::move(options));
        ASSERT_TRUE(server->start(0));
    }
    // A call for the package at path, with the publisher's signature of bytes.
    Call call(const std::string& path, const std::string& bytes) {
        return signedCall(path, update::signPackage(publisher().secretKey, bytes));
    }
    Call signedCall(const std::string& path, std::string signature) {
        return Call{server->baseUrl() + path, "title", "澜舟号录.exe", std::move(signature)};
    }
    Result run(const Call& call, const Progress& progress = {},
               const std::function<void(Stage)>& stageStarted = {}) {
        return runUpdate(call, folders, publisher().publicKey, progress, stageStarted);
    }
    std::unique_ptr<demo::Server> server;
};

TEST_F(UpdaterDownload, FailuresLeaveTheProgramAsItWas) {
    demo::Canned truncated;
    truncated.body = makeZip({{"澜舟号录.exe", std::string(4000, 'n'), std::nullopt}});
    truncated.body.resize(truncated.body.size() - 30);
    demo::Canned slip;
    slip.body =
        makeZip({{"澜舟号录.exe", "new", std::nullopt}, {"../../outside.txt", "x", std::nullopt}});
    serve({{"/truncated.zip", truncated}, {"/slip.zip", slip}});

    const auto before = snapshot(root);
    // Signed by the publisher: each fails at its own step, past the signature.
    const struct {
        const char* path;
        std::string body;
        Failure failure;
    } cases[] = {{"/missing.zip", "", Failure::Download},
                 {"/truncated.zip", truncated.body, Failure::Damaged},
                 {"/slip.zip", slip.body, Failure::UnsafeEntry}};
    for (const auto& [path, body, failure] : cases) {
        const Result r = run(call(path, body));
        EXPECT_EQ(r.failure, failure) << path << " " << r.detail;
        EXPECT_EQ(snapshot(root), before)
            << path; // archive and e_update gone, nothing else changed
    }
}

TEST_F(UpdaterDownload, DemoPackageInstalls) {
    serve({});
    const std::string package =
        demo::defaultUpdateFiles(server->baseUrl()).at("/update/ssq-update-3.3.zip").body;
    std::uint64_t lastReceived = 0;
    std::vector<Stage> stages;
    const Result r = run(
        call("/update/ssq-update-3.3.zip", package),
        [&](std::uint64_t received, std::uint64_t) {
            lastReceived = received;
            return true;
        },
        [&](Stage s) { stages.push_back(s); });
    ASSERT_TRUE(r) << r.detail;
    EXPECT_GT(lastReceived, 0u);
    EXPECT_EQ(stages,
              (std::vector<Stage>{Stage::Downloading, Stage::Unpacking, Stage::Installing}));
    EXPECT_NE(readFile(folders.programDir / "update-3.3.txt").find("3.3"), std::string::npos);
    EXPECT_EQ(readFile(folders.programDir / "澜舟号录.exe"), "#!/bin/sh\nold\n");
    EXPECT_FALSE(fs::exists(folders.archive));
    EXPECT_FALSE(fs::exists(folders.unpackDir));
}

// The signature is checked over the downloaded bytes before the archive is
// opened: each wrong one refuses the package and changes nothing.
TEST_F(UpdaterDownload, PackagesWithoutThePublishersSignatureAreRefused) {
    const std::string package =
        makeZip({{"澜舟号录.exe", "new", std::nullopt}, {"docs/a.txt", "a", std::nullopt}});
    std::string flipped = package;
    flipped[flipped.size() / 2] ^= 0x01;
    demo::Canned served;
    served.body = package;
    demo::Canned servedFlipped;
    servedFlipped.body = flipped;
    serve({{"/p.zip", served}, {"/flipped.zip", servedFlipped}});
    const std::string good = update::signPackage(publisher().secretKey, package);
    const update::SigningKeys other = update::generateSigningKeys();

    const struct {
        const char* name;
        Call call;
    } refused[] = {
        {"a flipped byte", signedCall("/flipped.zip", good)},
        {"another key", signedCall("/p.zip", update::signPackage(other.secretKey, package))},
        {"no signature", signedCall("/p.zip", "")},
        {"another package's signature",
         call("/p.zip", makeZip({{"澜舟号录.exe", "old", std::nullopt}}))},
        {"not a signature", signedCall("/p.zip", "not base64")},
    };
    const auto before = snapshot(root);
    for (const auto& r : refused) {
        std::vector<Stage> stages;
        const Result result = run(r.call, {}, [&](Stage s) { stages.push_back(s); });
        EXPECT_EQ(result.failure, Failure::Signature) << r.name;
        EXPECT_EQ(stages, std::vector<Stage>{Stage::Downloading}) << r.name; // never unpacked
        EXPECT_EQ(snapshot(root), before) << r.name;
    }
    EXPECT_TRUE(run(signedCall("/p.zip", good))) << "the publisher's signature installs";
    EXPECT_EQ(readFile(folders.programDir / "docs" / "a.txt"), "a");
}

TEST_F(UpdaterDownload, SilentServerAndCancelGiveUp) {
    demo::Canned hang;
    hang.hang = true;
    serve({{"/hang.zip", hang}});
    EXPECT_EQ(download(server->baseUrl() + "/hang.zip", folders.archive, {}, 2000, 1).failure,
              Failure::Download);
    EXPECT_FALSE(fs::exists(folders.archive));
    const Result cancelled =
        download(server->baseUrl() + "/update/ssq-update-3.3.zip", folders.archive,
                 [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_EQ(cancelled.failure, Failure::Download);
    EXPECT_FALSE(fs::exists(folders.archive));
    // A byte every 0.9 s is too slow, and a steady trickle meets the overall limit.
    demo::Canned drip;
    drip.body = std::string(4000, 'x');
    drip.dripMs = 900;
    demo::Canned trickle = drip;
    trickle.dripMs = 1; // about 1000 bytes a second
    serve({{"/drip.zip", drip}, {"/trickle.zip", trickle}});
    EXPECT_EQ(download(server->baseUrl() + "/drip.zip", folders.archive, {}, 2000, 1).failure,
              Failure::Download);
    EXPECT_EQ(
        download(server->baseUrl() + "/trickle.zip", folders.archive, {}, 2000, 30, 500).failure,
        Failure::Download);
    EXPECT_FALSE(fs::exists(folders.archive));
    // Only HTTP: a manifest cannot make the updater read local files.
    EXPECT_EQ(download("file:///etc/hostname", folders.archive, {}).failure, Failure::Download);
}

} // namespace
} // namespace ssq::updater
