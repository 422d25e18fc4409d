#include "updater/updater_core.h"

#include "text/codec.h"

#include "platform/http_fetch.h"

#include <curl/curl.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

constexpr char kMarker[] = "验证参数";
constexpr std::uint64_t kMaxDownloadBytes = std::uint64_t{512} << 20;

Result fail(Failure f, std::string detail = {}) { return Result{f, std::move(detail)}; }

// Closes a descriptor on every way out.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool close() {
        if (m_fd < 0)
            return true;
        const bool ok = ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }

private:
    int m_fd;
};

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

// ---- download ----

struct Transfer {
    std::FILE* file = nullptr;
    const Progress* progress = nullptr;
};

std::size_t writeToFile(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    return std::fwrite(data, size, count, t->file) * size;
}

int reportProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (!t->progress || !*t->progress)
        return 0;
    return (*t->progress)(static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(total)) ? 0 : 1;
}

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

// ---- archive entries ----

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
        const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
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
    // O_EXCL: two entries of the same name are a damaged archive, not a silent overwrite.
    Fd out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  e.executable ? 0755 : 0644));
    if (out.get() < 0)
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
        if (written > e.size || !writeAll(out.get(), buffer, static_cast<std::size_t>(n)))
            return fail(Failure::Damaged, e.relative.string());
    }
    if (written != e.size || !out.close())
        return fail(Failure::Damaged, e.relative.string());
    return {};
}

// ---- install ----

struct Staged {
    fs::path source;
    fs::path target;
    fs::path temporary;
};

// Every existing folder on the way from programDir to target's folder must be
// a real folder, not a link that leads elsewhere. Missing ones are listed.
bool checkParents(const fs::path& programDir, const fs::path& relative, std::vector<fs::path>& missing) {
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

bool copyTo(const fs::path& source, const fs::path& temporary, mode_t mode) {
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (in.get() < 0)
        return false;
    Fd out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
    if (out.get() < 0)
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
        if (!writeAll(out.get(), buffer, static_cast<std::size_t>(n)))
            return false;
    }
    // The umask may have narrowed the mode given to open.
    if (::fchmod(out.get(), mode) != 0 || ::fsync(out.get()) != 0)
        return false;
    return out.close();
}

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

Result download(const std::string& url, const fs::path& file, const Progress& progress,
                long connectTimeoutMs, long stallSeconds) {
    static CurlGlobal global;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return fail(Failure::Download);
    std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(file.c_str(), "wb"), std::fclose);
    if (!out)
        return fail(Failure::Download, file.string());

    const std::string address = platform::encodeUrl(url);
    Transfer transfer{out.get(), &progress};
    char error[CURL_ERROR_SIZE] = {};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    // A package comes over HTTP only; a manifest cannot point at local files.
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROXY, ""); // direct, like the program: no proxy from the environment
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stallSeconds);
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxDownloadBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);

    const CURLcode rc = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    const bool flushed = std::fflush(out.get()) == 0 && ::fsync(fileno(out.get())) == 0;
    out.reset();
    if (rc != CURLE_OK || status < 200 || status > 299 || !flushed) {
        std::error_code ec;
        fs::remove(file, ec);
        std::string detail = error[0] ? error : curl_easy_strerror(rc);
        if (rc == CURLE_OK)
            detail = "HTTP " + std::to_string(status);
        return fail(Failure::Download, detail);
    }
    return {};
}

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

Result installFiles(const fs::path& from, const fs::path& programDir) {
    std::vector<Staged> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->symlink_status().type() != fs::file_type::regular)
            continue;
        const fs::path relative = it->path().lexically_relative(from);
        Staged s;
        s.source = it->path();
        s.target = programDir / relative;
        s.temporary = s.target.parent_path() / ("." + s.target.filename().string() + ".update-new");
        files.push_back(std::move(s));
    }
    if (ec)
        return fail(Failure::Install, from.string());

    std::vector<fs::path> createdDirs;
    auto rollBack = [&] {
        std::error_code ignored;
        for (const Staged& s : files)
            fs::remove(s.temporary, ignored);
        for (auto it = createdDirs.rbegin(); it != createdDirs.rend(); ++it)
            fs::remove(*it, ignored); // only while still empty
    };

    // Stage: write every new file beside its target.
    for (const Staged& s : files) {
        std::vector<fs::path> missing;
        if (!checkParents(programDir, s.target.lexically_relative(programDir), missing)) {
            rollBack();
            return fail(Failure::Install, s.target.string());
        }
        for (const fs::path& dir : missing) {
            if (!fs::create_directory(dir, ec) || ec) {
                rollBack();
                return fail(Failure::Install, dir.string());
            }
            createdDirs.push_back(dir);
        }
        struct stat source{};
        if (::stat(s.source.c_str(), &source) != 0) {
            rollBack();
            return fail(Failure::Install, s.source.string());
        }
        mode_t mode = source.st_mode & 0777;
        struct stat target{};
        if (::lstat(s.target.c_str(), &target) == 0) {
            if (S_ISDIR(target.st_mode)) {
                rollBack();
                return fail(Failure::Install, s.target.string());
            }
            // A program file that could be run stays runnable, whatever mode
            // the archive recorded (archives made on Windows record none).
            if (S_ISREG(target.st_mode))
                mode |= target.st_mode & 0111;
        }
        if (!copyTo(s.source, s.temporary, mode)) {
            rollBack();
            return fail(Failure::Install, s.target.string());
        }
    }
    // Keep each old file under a second name until every new one is in place,
    // so that a rename failing part-way can put the old ones back.
    std::vector<fs::path> backups(files.size());
    auto dropBackups = [&] {
        std::error_code ignored;
        for (const fs::path& b : backups)
            if (!b.empty())
                fs::remove(b, ignored);
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        struct stat target{};
        if (::lstat(files[i].target.c_str(), &target) != 0)
            continue; // a new file: nothing to keep
        const fs::path backup = files[i].target.parent_path() /
                                ("." + files[i].target.filename().string() + ".update-old");
        std::error_code ignored;
        fs::remove(backup, ignored);
        if (::link(files[i].target.c_str(), backup.c_str()) != 0) {
            dropBackups();
            rollBack();
            return fail(Failure::Install, files[i].target.string());
        }
        backups[i] = backup;
    }
    // Commit: each file changes in one step.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::rename(files[i].temporary.c_str(), files[i].target.c_str()) != 0) {
            std::error_code ignored;
            for (std::size_t j = 0; j < i; ++j) {
                if (backups[j].empty())
                    fs::remove(files[j].target, ignored);
                else if (::rename(backups[j].c_str(), files[j].target.c_str()) == 0)
                    backups[j].clear();
            }
            dropBackups();
            rollBack();
            return fail(Failure::Install, files[i].target.string());
        }
    }
    dropBackups();
    return {};
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
