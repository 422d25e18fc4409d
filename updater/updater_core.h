#pragma once
// The updater's work without its window: reading the call, then the three
// steps in their own files (download.h, archive.h, install.h) run in order.
// The window in main.cpp only shows what these functions report.
//
// Nothing of a package is opened before its signature has been checked over
// the exact bytes downloaded.
//
// Folders: the updater lives in <program folder>/升级文件/. It downloads the
// package beside itself, unpacks it into the folder "e_update" there and
// copies the unpacked files into the program's folder (the folder above its
// own). The program's files change only when every step before has worked,
// and each file is replaced by a rename, so the program is never left with a
// half-written file.

#include "updater/archive.h"
#include "updater/download.h"
#include "updater/install.h"
#include "updater/update_result.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::updater {

// The arguments the updater acts on (UTF-8, as the program passes them).
struct Call {
    std::string downloadUrl; // argument 2
    std::string title;       // argument 3
    std::string programFile; // argument 5: started from the program's folder at the end
    std::string signature;   // argument 8 (base64); missing: empty, and nothing is installed
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
// wrong call never starts something outside the program's folder.
std::filesystem::path programToStart(const Folders& folders, const std::string& programFile);

// The program to start again whatever the call, even a refused one: argument 5
// when it names (as programToStart allows) a file that is there, else
// programFile, the program's own file name; empty when neither file is there.
std::filesystem::path programToRestart(const Folders& folders,
                                       const std::vector<std::string>& arguments,
                                       const std::string& programFile);

// Starts program from dir without waiting for it; false when it could not be
// started. Needs no application object, so it serves after a fatal error too.
bool startDetached(const std::filesystem::path& program, const std::filesystem::path& dir);

// Removes the downloaded archive and the unpack folder; never fails.
void cleanUp(const Folders& folders);

enum class Stage { Downloading, Unpacking, Installing };

// Failure::Signature unless call.signature is publicKey's signature of the
// archive file's exact bytes (both base64).
Result checkSignature(const std::filesystem::path& archive, const std::string& signature,
                      std::string_view publicKey);

// Download, signature check, unpack, install and clean up, in this order; the
// first failure stops the run, and the clean-up always happens. publicKey:
// the key packages must be signed with (base64).
Result runUpdate(const Call& call, const Folders& folders, std::string_view publicKey,
                 const Progress& progress, const std::function<void(Stage)>& stageStarted = {});

} // namespace ssq::updater
