#pragma once
// The few file operations the program and its updater need beyond
// std::filesystem: a descriptor closed on every way out, complete writes, and
// a whole file that appears at its place only once it is complete.

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>
#include <sys/types.h>

namespace ssq::platform {

// Owns a file descriptor; a negative one stands for none.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes now; false when the close reported an error (data may be lost).
    bool close();

private:
    int m_fd = -1;
};

// Writes all bytes, going on after interrupted and partial writes.
bool writeAll(int fd, const char* data, std::size_t size);

// Opens a file for writing only, never through a link at its place.
// O_EXCL when exclusive: an existing file is then an error.
FileDescriptor createFile(const std::filesystem::path& file, mode_t mode, bool exclusive = false);

// Sets the mode exactly (the umask may have narrowed the one given at
// creation), flushes to disk and closes.
bool finishFile(FileDescriptor& fd, mode_t mode);

// ".<file's name><suffix>" in file's folder: where a file is prepared or kept
// beside its place without showing in a plain listing.
std::filesystem::path hiddenBeside(const std::filesystem::path& file, std::string_view suffix);

// Writes bytes to ".<name>.part" beside file with the given mode and renames
// it into place only when complete, so a failed write (full disk) never leaves
// a truncated file at the place. On failure nothing is left behind.
bool writeFileWhole(const std::filesystem::path& file, std::span<const char> bytes, mode_t mode);

} // namespace ssq::platform
