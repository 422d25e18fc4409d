#include "updater/install.h"

#include "platform/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

// Every existing folder on the way from programDir to target's folder must be
// a real folder, not a link that leads elsewhere. Missing ones are listed.
bool checkParents(const fs::path& programDir, const fs::path& relative,
                  std::vector<fs::path>& missing) {
    fs::path p = programDir;
    for (const auto& part : relative.parent_path()) {
        p /= part;
        std::error_code ec;
        const auto st = fs::symlink_status(p, ec);
        if (st.type() == fs::file_type::not_found) {
            missing.push_back(p);
            continue;
        }
        if (ec || st.type() != fs::file_type::directory)
            return false;
    }
    return true;
}

bool copyTo(const fs::path& source, const fs::path& staged, mode_t mode) {
    platform::FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!in.isOpen())
        return false;
    platform::FileDescriptor out = platform::createFile(staged, mode);
    if (!out.isOpen())
        return false;
    char buffer[64 * 1024];
    while (true) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        if (!platform::writeAll(out.get(), buffer, static_cast<std::size_t>(n)))
            return false;
    }
    return platform::finishFile(out, mode);
}

} // namespace

InstallTransaction::InstallTransaction(fs::path programDir) : m_programDir(std::move(programDir)) {}

InstallTransaction::~InstallTransaction() {
    if (!m_committed)
        rollBack();
}

Result InstallTransaction::stage(const fs::path& from) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->symlink_status().type() != fs::file_type::regular)
            continue;
        File file;
        file.source = it->path();
        file.target = m_programDir / it->path().lexically_relative(from);
        file.staged = platform::hiddenBeside(file.target, ".update-new");
        m_files.push_back(std::move(file));
    }
    if (ec)
        return fail(Failure::Install, from.string());
    for (const File& file : m_files)
        if (Result r = stageFile(file); !r)
            return r;
    return {};
}

Result InstallTransaction::stageFile(const File& file) {
    std::vector<fs::path> missing;
    if (!checkParents(m_programDir, file.target.lexically_relative(m_programDir), missing))
        return fail(Failure::Install, file.target.string());
    for (const fs::path& dir : missing) {
        std::error_code ec;
        if (!fs::create_directory(dir, ec) || ec)
            return fail(Failure::Install, dir.string());
        m_createdDirs.push_back(dir);
    }
    struct stat source {};
    if (::stat(file.source.c_str(), &source) != 0)
        return fail(Failure::Install, file.source.string());
    mode_t mode = source.st_mode & 0777;
    struct stat target {};
    if (::lstat(file.target.c_str(), &target) == 0) {
        if (S_ISDIR(target.st_mode))
            return fail(Failure::Install, file.target.string());
        // A program file that could be run stays runnable, whatever mode
        // the archive recorded (archives made on Windows record none).
        if (S_ISREG(target.st_mode))
            mode |= target.st_mode & 0111;
    }
    if (!copyTo(file.source, file.staged, mode))
        return fail(Failure::Install, file.target.string());
    return {};
}

Result InstallTransaction::keepOld() {
    for (File& file : m_files) {
        struct stat target {};
        if (::lstat(file.target.c_str(), &target) != 0)
            continue; // a new file: nothing to keep
        const fs::path backup = platform::hiddenBeside(file.target, ".update-old");
        std::error_code ignored;
        fs::remove(backup, ignored);
        if (::link(file.target.c_str(), backup.c_str()) != 0)
            return fail(Failure::Install, file.target.string());
        file.backup = backup;
    }
    return {};
}

Result InstallTransaction::commit() {
    for (File& file : m_files) {
        if (::rename(file.staged.c_str(), file.target.c_str()) != 0)
            return fail(Failure::Install, file.target.string());
        file.replaced = true;
    }
    dropBackups();
    m_committed = true;
    return {};
}

void InstallTransaction::rollBack() {
    std::error_code ignored;
    for (File& file : m_files) {
        if (!file.replaced)
            continue;
        if (file.backup.empty())
            fs::remove(file.target, ignored);
        else if (::rename(file.backup.c_str(), file.target.c_str()) == 0)
            file.backup.clear();
    }
    dropBackups();
    for (const File& file : m_files)
        fs::remove(file.staged, ignored);
    for (auto it = m_createdDirs.rbegin(); it != m_createdDirs.rend(); ++it)
        fs::remove(*it, ignored); // only while still empty
}

void InstallTransaction::dropBackups() {
    std::error_code ignored;
    for (File& file : m_files) {
        if (!file.backup.empty())
            fs::remove(file.backup, ignored);
        file.backup.clear();
    }
}

Result installFiles(const fs::path& from, const fs::path& programDir) {
    InstallTransaction install(programDir);
    if (Result r = install.stage(from); !r)
        return r;
    if (Result r = install.keepOld(); !r)
        return r;
    return install.commit();
}

} // namespace ssq::updater
