#include "update/updater_command_line.h"

#include "build_config.h"
#include "text/codec.h"
#include "update/version_check.h"

namespace ssq::update {

UpdaterValues updaterValues(const ManifestReader& reader) {
    UpdaterValues v;
    v.downloadUrl = manifestField(reader, ManifestField::DownloadUrl);
    v.title = manifestField(reader, ManifestField::Title);
    v.fileName = manifestField(reader, ManifestField::FileName);
    v.notes = manifestField(reader, ManifestField::Notes);
    v.signature = manifestField(reader, ManifestField::Signature);
    return v;
}

std::filesystem::path updaterFolder(const std::filesystem::path& root) {
    return root / "升级文件";
}

std::filesystem::path updaterFile(const std::filesystem::path& root) {
    return updaterFolder(root) / "update.exe";
}

std::vector<std::string> updaterArguments(const UpdaterValues& values) {
    return {"验证参数",
            text::gbkToUtf8(values.downloadUrl),
            text::gbkToUtf8(values.title),
            "运行",
            SSQ_PROGRAM_FILE,
            text::gbkToUtf8(values.fileName),
            text::gbkToUtf8(values.notes),
            text::gbkToUtf8(values.signature)};
}

} // namespace ssq::update
