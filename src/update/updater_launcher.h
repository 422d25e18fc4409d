#pragma once
// UpdaterLauncher: writes the updater file beside the program and hands over
// to it. Both happen below one root folder, the program's run directory.

#include "update/manifest_reader.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ssq::update {

// Makes sure "升级文件/update.exe" below root is exactly the carried image:
//  - nothing at "升级文件": the folder is created and the image written;
//  - otherwise anything at "升级文件/update.exe" but a regular file with the
//    image's bytes (nothing, an older or altered updater, a link) is replaced
//    by the image, so the updater that runs is always the one this program
//    carries and trusts to check package signatures;
//  - a file, not a folder, at "升级文件": nothing is written.
// The file is written beside its place and renamed into it only when complete,
// with its run bit, so a failed write (full disk) leaves no broken updater that
// later checks would keep. Failures are not reported.
void ensureUpdaterFile(const std::filesystem::path& root, std::span<const char> image);

class UpdaterLauncher {
public:
    // How the program ends after the hand-off; receives the exit code (0).
    using EndProgram = std::function<void(int exitCode)>;

    // runDirectory: the folder of the program's executable (file-system bytes,
    // no trailing slash), where the updater is written and started from.
    UpdaterLauncher(std::string runDirectory, EndProgram endProgram);

    // ensureUpdaterFile below the run directory with the carried UpdaterImage.
    void ensureUpdaterFile() const;

    // The updater's arguments for the manifest just read (UTF-8).
    std::vector<std::string> arguments(const ManifestReader& manifest) const;

    enum class HandOff {
        Started,       // the updater runs; the program has been told to end
        NoUpdaterFile, // the updater file is missing (it could not be written)
        NotStarted,    // the file is there but would not start
    };

    // Starts the updater with these arguments and waits at most 1000 ms for it
    // to be running. Only when it started does the program end, with exit
    // code 0; otherwise the program goes on and the caller says what failed.
    [[nodiscard]] HandOff launchUpdater(const ManifestReader& manifest) const;

    const std::string& runDirectory() const { return m_runDirectory; }
    void setRunDirectory(std::string runDirectory) { m_runDirectory = std::move(runDirectory); }
    void setEndProgram(EndProgram endProgram) { m_endProgram = std::move(endProgram); }

private:
    std::string m_runDirectory;
    EndProgram m_endProgram;
};

} // namespace ssq::update
