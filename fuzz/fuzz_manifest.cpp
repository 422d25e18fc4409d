// Any bytes as the update server's answer: the conversion, the manifest
// reader, the version rule and the updater's arguments must neither crash
// nor read out of bounds, and the arguments must keep the marker and the
// program file in place whatever the manifest holds.

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

    const std::string text = manifestText(body);
    if (text.find('\0') != std::string::npos)
        std::abort(); // the text ends at the first zero byte

    ManifestReader reader;
    for (const std::string& input : {text, std::string(body)}) {
        reader.load(input);
        (void)isNewer(publishedVersion(reader));
        (void)offerText(reader);
        const auto arguments = updaterArguments(updaterValues(reader));
        if (arguments.size() != 8 || arguments[0] != "验证参数" || arguments[4] != "澜舟号录.exe")
            std::abort();
    }

    // A decoded value is never longer than what was written.
    if (decodeEntities(body).size() > body.size())
        std::abort();
    return 0;
}
