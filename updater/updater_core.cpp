#include "updater/updater_core.h"

#include "update/package_signature.h"

#include <fstream>
#include <iterator>

#include <spawn.h>
#include <sys/types.h>

extern char** environ;

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

constexpr char kMarker[] = "验证参数";

} // namespace

std::optional<Call> readArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() < 6 || arguments[0] != kMarker)
        return std::nullopt;
    return Call{arguments[1], arguments[2], arguments[4],
                arguments.size() > 7 ? arguments[7] : std::string()};
}

Folders foldersFor(const fs::path& updaterDir) {
    fs::path dir = updaterDir.lexically_normal();
    if (!dir.has_filename() && dir.has_parent_path())
        dir = dir.parent_path();
    Folders f;
    f.updaterDir = dir;
    f.programDir = dir.parent_path();
    f.archive = dir / "update-package.zip";
    f.unpackDir = dir / "e_update";
    return f;
}

fs::path programToStart(const Folders& folders, const std::string& programFile) {
    if (programFile.empty() || programFile == "." || programFile == ".." ||
        programFile.find('/') != std::string::npos || programFile.find('\0') != std::string::npos)
        return {};
    return folders.programDir / programFile;
}

fs::path programToRestart(const Folders& folders, const std::vector<std::string>& arguments,
                          const std::string& programFile) {
    std::vector<std::string> names;
    if (arguments.size() >= 5)
        names.push_back(arguments[4]);
    names.push_back(programFile);
    for (const std::string& name : names) {
        const fs::path program = programToStart(folders, name);
        std::error_code ec;
        if (!program.empty() && fs::is_regular_file(program, ec))
            return program;
    }
    return {};
}

bool startDetached(const fs::path& program, const fs::path& dir) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    pid_t pid = 0;
    std::string file = program.string();
    char* argv[] = {file.data(), nullptr};
    const bool started = posix_spawn_file_actions_addchdir_np(&actions, dir.c_str()) == 0 &&
                         posix_spawn(&pid, file.c_str(), &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

void cleanUp(const Folders& folders) {
    std::error_code ec;
    fs::remove(folders.archive, ec);
    fs::remove_all(folders.unpackDir, ec);
}

Result checkSignature(const fs::path& archive, const std::string& signature,
                      std::string_view publicKey) {
    if (signature.empty())
        return fail(Failure::Signature, "未签名");
    std::ifstream in(archive, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        return fail(Failure::Download, archive.filename().string());
    if (!update::verifyPackage(publicKey, bytes, signature))
        return fail(Failure::Signature, "签名不符");
    return {};
}

Result runUpdate(const Call& call, const Folders& folders, std::string_view publicKey,
                 const Progress& progress, const std::function<void(Stage)>& stageStarted) {
    auto stage = [&](Stage s) {
        if (stageStarted)
            stageStarted(s);
    };
    Result result;
    stage(Stage::Downloading);
    result = download(call.downloadUrl, folders.archive, progress);
    if (result)
        result = checkSignature(folders.archive, call.signature, publicKey);
    if (result) {
        stage(Stage::Unpacking);
        result = unpackArchive(folders.archive, folders.unpackDir);
    }
    if (result) {
        stage(Stage::Installing);
        result = installFiles(folders.unpackDir, folders.programDir);
    }
    cleanUp(folders);
    return result;
}

} // namespace ssq::updater
