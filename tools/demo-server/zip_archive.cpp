#include "zip_archive.h"

#include <zip.h>

#include <stdexcept>

namespace ssq::demo {

std::string makeZip(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw std::runtime_error("zip_source_buffer_create failed");
    zip_source_keep(buffer); // read back after zip_close
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        throw std::runtime_error("zip_open_from_source failed");
    }
    auto fail = [&](const std::string& what) {
        zip_discard(archive);
        zip_source_free(buffer);
        throw std::runtime_error(what);
    };
    for (const ZipEntry& e : entries) {
        zip_source_t* data = zip_source_buffer(archive, e.data.data(), e.data.size(), 0);
        if (!data)
            fail("zip_source_buffer failed");
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), data,
                                               e.legacyName ? ZIP_FL_ENC_GUESS : ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            fail("zip_file_add failed: " + e.name);
        }
        if (e.unixMode)
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                             ZIP_OPSYS_UNIX, *e.unixMode << 16);
    }
    if (zip_close(archive) != 0)
        fail("zip_close failed");
    std::string bytes;
    if (zip_source_open(buffer) == 0) {
        char chunk[4096];
        zip_int64_t n;
        while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
            bytes.append(chunk, static_cast<std::size_t>(n));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

} // namespace ssq::demo
