#include "zip_fixture.h"

#include <zip.h>

#include <stdexcept>

namespace ssq::test {

std::string makeZip(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("zip_open_from_source");
    for (const ZipEntry& e : entries) {
        zip_source_t* data = zip_source_buffer(archive, e.data.data(), e.data.size(), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), data,
                                                   e.legacyName ? ZIP_FL_ENC_GUESS : ZIP_FL_ENC_UTF_8);
        if (index < 0)
            throw std::runtime_error("zip_file_add " + e.name);
        if (e.unixMode)
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             *e.unixMode << 16);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("zip_close");
    std::string bytes;
    zip_source_open(buffer);
    char chunk[4096];
    zip_int64_t n;
    while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(n));
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

} // namespace ssq::test
