#include "updater/updater_core.h"

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

constexpr char kMarker[] = "验证参数";

} // namespace

std::optional<Call> readArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() < 6 || arguments[0] != kMarker)
        return std::nullopt;
    return Call{arguments[1], arguments[2], arguments[4]};
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

void cleanUp(const Folders& folders) {
    std::error_code ec;
    fs::remove(folders.archive, ec);
    fs::remove_all(folders.unpackDir, ec);
}

Result runUpdate(const Call& call, const Folders& folders, const Progress& progress,
                 const std::function<void(Stage)>& stageStarted) {
    auto stage = [&](Stage s) {
        if (stageStarted)
            stageStarted(s);
    };
    Result result;
    stage(Stage::Downloading);
    result = download(call.downloadUrl, folders.archive, progress);
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
