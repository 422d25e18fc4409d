#include "update/updater_launcher.h"

#include "text/codec.h"
#include "update/updater_command_line.h"
#include "update/updater_image.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ssq::update {
namespace {

constexpr int kWaitForStartMs = 1000;

bool nothingAt(const fs::path& path) {
    std::error_code ec;
    // Nothing there, or a path that cannot lead anywhere (a file in the way).
    return fs::symlink_status(path, ec).type() == fs::file_type::not_found || ec;
}

void writeWhole(const fs::path& file, std::span<const char> bytes) {
    const fs::path part = file.parent_path() / ("." + file.filename().string() + ".part");
    const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0755);
    if (fd < 0)
        return;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fchmod(fd, 0755) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(part.c_str(), file.c_str()) != 0)
        ::unlink(part.c_str());
}

fs::path utf8Path(const std::string& gbkText) { return fs::path(text::gbkToUtf8(gbkText)); }

// The updater counts as up once the process runs the updater's own file.
void waitUntilRunning(qint64 pid, const fs::path& exe) {
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(exe, ec);
    const fs::path proc = "/proc/" + std::to_string(pid) + "/exe";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitForStartMs);
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

void ensureUpdaterFile(std::span<const char> image) {
    const fs::path folder = utf8Path(updaterFolderName());
    const fs::path file = folder / updaterFileName();
    if (nothingAt(folder)) {
        std::error_code ec;
        fs::create_directory(folder, ec);
        writeWhole(file, image);
    } else if (nothingAt(file)) {
        writeWhole(file, image);
    }
}

UpdaterLauncher::UpdaterLauncher(std::string runDirectory, EndProgram endProgram)
    : m_runDirectory(std::move(runDirectory)), m_endProgram(std::move(endProgram)) {}

void UpdaterLauncher::ensureUpdaterFile() const { update::ensureUpdaterFile(updaterImage()); }

std::string UpdaterLauncher::commandLine(const ManifestReader& manifest) const {
    return updaterCommandLine(text::utf8To(text::Charset::Gbk, m_runDirectory), updaterValues(manifest));
}

void UpdaterLauncher::launchUpdater(const ManifestReader& manifest) const {
    const std::vector<std::string> parts = splitUpdaterCommandLine(commandLine(manifest));
    // The process runs the file the command line names. It is started from
    // the run directory as the file system spells it, since the code page 936
    // form of a folder name may have lost characters.
    const fs::path exe = fs::path(m_runDirectory) / utf8Path(updaterFolderName()) / updaterFileName();
    QStringList arguments;
    for (std::size_t i = 1; i < parts.size(); ++i)
        arguments << QString::fromStdString(text::gbkToUtf8(parts[i]));

    // No shell: the pieces go to the updater exactly as it reads them.
    QProcess process;
    process.setProgram(QString::fromStdString(exe.string()));
    process.setArguments(arguments);
    qint64 pid = 0;
    if (process.startDetached(&pid))
        waitUntilRunning(pid, exe);
    if (m_endProgram)
        m_endProgram(0);
}

} // namespace ssq::update
