#include "update/updater_launcher.h"

#include "platform/file_io.h"
#include "update/updater_command_line.h"
#include "update/updater_image.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace ssq::update {
namespace {

constexpr int kWaitForStartMs = 1000;

bool nothingAt(const fs::path& path) {
    std::error_code ec;
    // Nothing there, or a path that cannot lead anywhere (a file in the way).
    return fs::symlink_status(path, ec).type() == fs::file_type::not_found || ec;
}

// A regular file (not a link) its owner may run, with exactly these bytes.
bool holdsExactly(const fs::path& file, std::span<const char> bytes) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    if (!fs::is_regular_file(status) ||
        (status.permissions() & fs::perms::owner_exec) == fs::perms::none ||
        fs::file_size(file, ec) != bytes.size() || ec)
        return false;
    std::ifstream in(file, std::ios::binary);
    std::vector<char> chunk(64 * 1024);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t n = std::min(chunk.size(), bytes.size() - done);
        if (!in.read(chunk.data(), static_cast<std::streamsize>(n)) ||
            !std::equal(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n),
                        bytes.begin() + static_cast<std::ptrdiff_t>(done)))
            return false;
        done += n;
    }
    return true;
}

// The updater counts as up once the process runs the updater's own file.
void waitUntilRunning(qint64 pid, const fs::path& exe) {
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(exe, ec);
    const fs::path proc = "/proc/" + std::to_string(pid) + "/exe";
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitForStartMs);
    while (std::chrono::steady_clock::now() < deadline) {
        const fs::path running = fs::read_symlink(proc, ec);
        if (ec && !fs::exists(proc.parent_path()))
            return; // already gone
        if (!ec && running == wanted)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

void ensureUpdaterFile(const fs::path& root, std::span<const char> image) {
    const fs::path folder = updaterFolder(root);
    const fs::path file = updaterFile(root);
    std::error_code ec;
    if (nothingAt(folder))
        fs::create_directory(folder, ec);
    else if (!fs::is_directory(fs::symlink_status(folder, ec)))
        return;
    if (!holdsExactly(file, image))
        platform::writeFileWhole(file, image, 0755);
}

UpdaterLauncher::UpdaterLauncher(std::string runDirectory, EndProgram endProgram)
    : m_runDirectory(std::move(runDirectory)), m_endProgram(std::move(endProgram)) {}

void UpdaterLauncher::ensureUpdaterFile() const {
    update::ensureUpdaterFile(m_runDirectory, updaterImage());
}

std::vector<std::string> UpdaterLauncher::arguments(const ManifestReader& manifest) const {
    return updaterArguments(updaterValues(manifest));
}

UpdaterLauncher::HandOff UpdaterLauncher::launchUpdater(const ManifestReader& manifest) const {
    const fs::path exe = updaterFile(m_runDirectory);
    std::error_code ec;
    if (!fs::is_regular_file(exe, ec))
        return HandOff::NoUpdaterFile;
    QStringList arguments;
    for (const std::string& argument : this->arguments(manifest))
        arguments << QString::fromStdString(argument);

    // No shell: each value reaches the updater as one argument, as it is.
    QProcess process;
    process.setProgram(QString::fromStdString(exe.string()));
    process.setArguments(arguments);
    // A file that cannot be run (no run bit, not a program) fails here.
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return HandOff::NotStarted;
    waitUntilRunning(pid, exe);
    if (m_endProgram)
        m_endProgram(0);
    return HandOff::Started;
}

} // namespace ssq::update
