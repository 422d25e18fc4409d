#include "demo_server.h"

#include "update/package_signature.h"
#include "zip_archive.h"

namespace ssq::demo {
namespace {

const char kPackagePath[] = "/update/ssq-update-3.3.zip";
const char kNoteName[] = "update-3.3.txt";
const char kNote[] = "澜舟号录分析工具 3.3\n这是演示服务器的升级包，只含这一个说明文件。\n";

Canned file(std::string body, const char* contentType) {
    Canned c;
    c.body = std::move(body);
    c.contentType = contentType;
    return c;
}

} // namespace

// The manifest announces 3.3, one step above the program's 3.2.
std::map<std::string, Canned> defaultUpdateFiles(const std::string& baseUrl,
                                                 const std::string& signingKey) {
    std::map<std::string, Canned> files;
    std::string package = makeZip({{kNoteName, kNote, std::nullopt}});
    const std::string signature =
        signingKey.empty() ? std::string() : update::signPackage(signingKey, package);
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<最新版本>\n"
        "  <版本信息 版本号=\"3.3\" 升级说明=\"修正若干问题，提高读取速度。\"\n"
        "          下载地址=\"" +
        baseUrl + kPackagePath +
        "\"\n"
        "          文件标题=\"澜舟号录分析工具3.3\" 文件名=\"ssq-update-3.3.zip\"" +
        (signature.empty() ? std::string() : "\n          签名=\"" + signature + "\"") +
        "/>\n"
        "</最新版本>\n";
    files["/澜舟号录.xml"] = file(manifest, "text/xml; charset=utf-8");
    files[kPackagePath] = file(std::move(package), "application/zip");
    return files;
}

} // namespace ssq::demo
