#pragma once
// The updater's work without its window: reading the call, downloading the
// package, unpacking it safely and installing the files into the program's
// folder. The window in main.cpp only shows what these functions report.
//
// Folders: the updater lives in <program folder>/升级文件/. It downloads the
// package beside itself, unpacks it into the folder "e_update" there and
// copies the unpacked files into the program's folder (the folder above its
// own). The program's files change only when every step before has worked,
// and each file is replaced by a rename, so the program is never left with a
// half-written file.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ssq::updater {

// The arguments the updater acts on (UTF-8, as the program passes them).
struct Call {
    std::string downloadUrl; // argument 2
    std::string title;       // argument 3
    std::string programFile; // argument 5: started from the program's folder at the end
};

// argv[1..]. Fewer than six arguments, or a first argument other than
// "验证参数", is a call the updater refuses ("程序调用参数错误！").
std::optional<Call> readArguments(const std::vector<std::string>& arguments);

struct Folders {
    std::filesystem::path updaterDir; // where the updater's own file lies
    std::filesystem::path programDir; // the folder above it
    std::filesystem::path archive;    // the downloaded package
    std::filesystem::path unpackDir;  // "e_update"
};
Folders foldersFor(const std::filesystem::path& updaterDir);

// The program file to start at the end: a plain file name inside the program's
// folder. Empty when argument 5 is not one (a path, "..", empty), so that a
// shifted argument never starts something outside the program's folder.
std::filesystem::path programToStart(const Folders& folders, const std::string& programFile);

enum class Failure {
    None,
    Download,      // no connection, an error status, a broken transfer
    Damaged,       // not a ZIP archive, or an entry that does not read back intact
    UnsafeEntry,   // an absolute path, a ".." component, a link or another special file
    TooLarge,      // more than kMaxUnpackedBytes unpacked
    Install,       // a program file could not be written or replaced
};

struct Result {
    Failure failure = Failure::None;
    std::string detail; // the entry or file concerned, or the transfer error (UTF-8)
    explicit operator bool() const { return failure == Failure::None; }
};

inline constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t{1} << 30;

// Called during the download with the bytes received and the total (0 while
// unknown); returning false cancels the download.
using Progress = std::function<bool(std::uint64_t received, std::uint64_t total)>;

// HTTP(S) GET of url into file. Only a 2xx answer counts; anything else
// removes the file.
Result download(const std::string& url, const std::filesystem::path& file, const Progress& progress,
                long connectTimeoutMs = 10000, long stallSeconds = 30);

// Unpacks the archive into dir (emptied first). Every entry is checked before
// anything is written: an unsafe entry refuses the whole archive and leaves
// dir empty. Nothing is ever written outside dir.
Result unpackArchive(const std::filesystem::path& archive, const std::filesystem::path& dir);

// Copies every file under from into programDir at the same relative place.
// All files are first written beside their targets; only when all of them
// have been written are they renamed into place. On failure the program's
// folder keeps its files as they were.
Result installFiles(const std::filesystem::path& from, const std::filesystem::path& programDir);

// Removes the downloaded archive and the unpack folder; never fails.
void cleanUp(const Folders& folders);

enum class Stage { Downloading, Unpacking, Installing };

// Download, unpack, install and clean up, in this order; the first failure
// stops the run, and the clean-up always happens.
Result runUpdate(const Call& call, const Folders& folders, const Progress& progress,
                 const std::function<void(Stage)>& stageStarted = {});

} // namespace ssq::updater
