#include "platform/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ssq::platform {

bool FileDescriptor::close() {
    if (m_fd < 0)
        return true;
    const bool ok = ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

FileDescriptor createFile(const std::filesystem::path& file, mode_t mode, bool exclusive) {
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
    return FileDescriptor(::open(file.c_str(), flags, mode));
}

bool finishFile(FileDescriptor& fd, mode_t mode) {
    if (::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0) {
        fd.close();
        return false;
    }
    return fd.close();
}

std::filesystem::path hiddenBeside(const std::filesystem::path& file, std::string_view suffix) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict,
    // GCC bug 105651) on the chain "." + name + suffix.
    std::string name(1, '.');
    name += file.filename().native();
    name += suffix;
    return file.parent_path() / name;
}

bool writeFileWhole(const std::filesystem::path& file, std::span<const char> bytes, mode_t mode) {
    const std::filesystem::path part = hiddenBeside(file, ".part");
    FileDescriptor fd = createFile(part, mode);
    if (!fd.isOpen())
        return false;
    const bool ok = writeAll(fd.get(), bytes.data(), bytes.size()) && finishFile(fd, mode) &&
                    ::rename(part.c_str(), file.c_str()) == 0;
    if (!ok)
        ::unlink(part.c_str());
    return ok;
}

} // namespace ssq::platform
