// Any bytes as the update server's answer: the conversion, the manifest
// reader, the version rule and the updater's command line must neither crash
// nor read out of bounds, and the command line must keep the updater's path
// and marker in place whatever the manifest holds.

#include "text/codec.h"
#include "update/manifest_reader.h"
#include "update/program_version.h"
#include "update/updater_command_line.h"
#include "update/version_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace ssq::update;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    static const std::string folder = ssq::text::gbk("/opt/号录 工具");
    static const std::string updaterPath = folder + ssq::text::gbk("/升级文件/update.exe");
    static const std::string marker = ssq::text::gbk("验证参数");

    const std::string text = manifestText(body);
    if (text.find('\0') != std::string::npos)
        std::abort(); // the text ends at the first zero byte

    ManifestReader reader;
    for (const std::string& input : {text, std::string(body)}) {
        reader.load(input);
        (void)isNewer(publishedVersion(reader));
        (void)offerText(reader);
        const std::string line = updaterCommandLine(folder, updaterValues(reader));
        const auto parts = splitUpdaterCommandLine(line);
        if (parts.size() < 2 || parts[0] != updaterPath || parts[1] != marker)
            std::abort();
    }

    // A decoded value is never longer than what was written.
    if (decodeEntities(body).size() > body.size())
        std::abort();
    return 0;
}
