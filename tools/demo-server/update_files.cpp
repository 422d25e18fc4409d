#include "demo_server.h"

#include <zip.h>

#include <cstdio>
#include <stdexcept>

namespace ssq::demo {
namespace {

const char kPackagePath[] = "/update/ssq-update-3.3.zip";
const char kNoteName[] = "update-3.3.txt";
const char kNote[] = "澜舟号录分析工具 3.3\n这是演示服务器的升级包，只含这一个说明文件。\n";

// A ZIP archive holding one text file, made in memory.
std::string makePackage() {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw std::runtime_error("zip_source_buffer_create failed");
    zip_source_keep(buffer); // we read it back after zip_close
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        throw std::runtime_error("zip_open_from_source failed");
    }
    zip_source_t* note = zip_source_buffer(archive, kNote, sizeof kNote - 1, 0);
    if (!note || zip_file_add(archive, kNoteName, note, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(note);
        zip_discard(archive);
        zip_source_free(buffer);
        throw std::runtime_error("zip_file_add failed");
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(buffer);
        throw std::runtime_error("zip_close failed");
    }
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

Canned file(std::string body, const char* contentType) {
    Canned c;
    c.body = std::move(body);
    c.contentType = contentType;
    return c;
}

} // namespace

// The manifest announces 3.3, one step above the program's 3.2. Its values
// hold no spaces: the program hands them to the updater unquoted.
std::map<std::string, Canned> defaultUpdateFiles(const std::string& baseUrl) {
    std::map<std::string, Canned> files;
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<最新版本>\n"
        "  <版本信息 版本号=\"3.3\" 升级说明=\"修正若干问题，提高读取速度。\"\n"
        "          下载地址=\"" +
        baseUrl + kPackagePath +
        "\"\n"
        "          文件标题=\"澜舟号录分析工具3.3\" 文件名=\"ssq-update-3.3.zip\"/>\n"
        "</最新版本>\n";
    files["/澜舟号录.xml"] = file(manifest, "text/xml; charset=utf-8");
    files[kPackagePath] = file(makePackage(), "application/zip");
    return files;
}

} // namespace ssq::demo
