#include "updater/archive.h"

#include "platform/file_io.h"
#include "text/codec.h"

#include <zip.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

struct Entry {
    zip_uint64_t index = 0;
    fs::path relative;
    bool directory = false;
    bool executable = false;
    std::uint64_t size = 0;
};

// The place of an entry below the unpack folder, or nothing when its name
// could reach outside it. Backslashes count as separators, as archives made on
// Windows use them.
std::optional<fs::path> safeRelativePath(std::string name, bool& directory) {
    for (char& c : name)
        if (c == '\\')
            c = '/';
    directory = !name.empty() && name.back() == '/';
    if (name.empty() || name[0] == '/')
        return std::nullopt;
    if (name.size() >= 2 && name[1] == ':') // a drive ("C:...")
        return std::nullopt;
    fs::path relative;
    std::size_t pos = 0;
    while (pos <= name.size()) {
        const auto slash = std::min(name.find('/', pos), name.size());
        const std::string part = name.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..")
            return std::nullopt;
        relative /= part;
    }
    if (relative.empty() && !directory)
        return std::nullopt;
    return relative;
}

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80           ? 1
                              : (b >> 5) == 0x6  ? 2
                              : (b >> 4) == 0xE  ? 3
                              : (b >> 3) == 0x1E ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && b < 0xC2))
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// The entry's name in UTF-8. Packages made with Windows tools store names in
// the local code page without the UTF-8 flag; libzip would read those as
// CP437 and garble every Chinese file name, so such names are read as GBK.
std::string entryName(zip_t* archive, zip_uint64_t index, const char* guessed) {
    const char* raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    if (!raw)
        return guessed;
    const std::string bytes = raw;
    if (isValidUtf8(bytes))
        return bytes;
    return ssq::text::gbkToUtf8(bytes);
}

Result readEntries(zip_t* archive, std::vector<Entry>& entries) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0)
        return fail(Failure::Damaged);
    if (count > kMaxEntries)
        return fail(Failure::TooLarge, std::to_string(count) + " entries");
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE))
            return fail(Failure::Damaged);
        const std::string name = entryName(archive, index, st.name);
        Entry e;
        e.index = index;
        e.size = st.size;
        auto relative = safeRelativePath(name, e.directory);
        if (!relative)
            return fail(Failure::UnsafeEntry, name);
        if (static_cast<std::size_t>(std::distance(relative->begin(), relative->end())) >
            kMaxFolderDepth + 1)
            return fail(Failure::UnsafeEntry, name);
        e.relative = *relative;

        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
            return fail(Failure::Damaged, name);
        if (opsys == ZIP_OPSYS_UNIX) {
            const auto mode = static_cast<mode_t>(attributes >> 16);
            const mode_t type = mode & S_IFMT;
            // Only plain files and folders: a link could point anywhere, and
            // writing "through" it would leave the unpack folder.
            if (type != 0 && type != S_IFREG && type != S_IFDIR)
                return fail(Failure::UnsafeEntry, name);
            if (type == S_IFDIR)
                e.directory = true;
            e.executable = (mode & 0111) != 0;
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return fail(Failure::Damaged, name);
        if (e.directory && e.relative.empty())
            continue; // "./": the unpack folder itself
        total += e.size;
        if (e.size > kMaxUnpackedBytes || total > kMaxUnpackedBytes)
            return fail(Failure::TooLarge, name);
        entries.push_back(std::move(e));
    }
    return {};
}

Result extractEntry(zip_t* archive, const Entry& e, const fs::path& dir) {
    const fs::path target = dir / e.relative;
    std::error_code ec;
    if (e.directory) {
        fs::create_directories(target, ec);
        return ec ? fail(Failure::Damaged, e.relative.string()) : Result{};
    }
    fs::create_directories(target.parent_path(), ec);
    if (ec)
        return fail(Failure::Damaged, e.relative.string());
    std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(archive, e.index, 0));
    if (!in)
        return fail(Failure::Damaged, e.relative.string());
    // Exclusive: two entries of the same name are a damaged archive, not a silent overwrite.
    platform::FileDescriptor out =
        platform::createFile(target, e.executable ? 0755 : 0644, /*exclusive=*/true);
    if (!out.isOpen())
        return fail(Failure::Damaged, e.relative.string());
    std::uint64_t written = 0;
    char buffer[64 * 1024];
    while (true) {
        // libzip checks the size and the CRC as the data is read and reports
        // a mismatch as a read error.
        const zip_int64_t n = zip_fread(in.get(), buffer, sizeof buffer);
        if (n < 0)
            return fail(Failure::Damaged, e.relative.string());
        if (n == 0)
            break;
        written += static_cast<std::uint64_t>(n);
        if (written > e.size || !platform::writeAll(out.get(), buffer, static_cast<std::size_t>(n)))
            return fail(Failure::Damaged, e.relative.string());
    }
    if (written != e.size || !out.close())
        return fail(Failure::Damaged, e.relative.string());
    return {};
}

} // namespace

Result unpackArchive(const fs::path& archivePath, const fs::path& dir) {
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (ec)
        return fail(Failure::Damaged, dir.string());
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(archivePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive)
        return fail(Failure::Damaged);

    std::vector<Entry> entries;
    if (Result r = readEntries(archive.get(), entries); !r)
        return r;
    fs::create_directories(dir, ec);
    if (ec)
        return fail(Failure::Damaged, dir.string());
    for (const Entry& e : entries) {
        if (Result r = extractEntry(archive.get(), e, dir); !r) {
            fs::remove_all(dir, ec);
            return r;
        }
    }
    return {};
}

} // namespace ssq::updater
