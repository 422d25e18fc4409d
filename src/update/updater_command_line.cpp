#include "update/updater_command_line.h"

#include "text/codec.h"
#include "update/version_check.h"

#include <algorithm>

namespace ssq::update {
namespace {

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

UpdaterValues updaterValues(const ManifestReader& reader) {
    UpdaterValues v;
    v.downloadUrl = manifestField(reader, ManifestField::DownloadUrl);
    v.title = manifestField(reader, ManifestField::Title);
    v.fileName = manifestField(reader, ManifestField::FileName);
    v.notes = manifestField(reader, ManifestField::Notes);
    return v;
}

const std::string& updaterFolderName() {
    static const std::string name = text::gbk("升级文件");
    return name;
}

const std::string& updaterFileName() {
    static const std::string name = "update.exe";
    return name;
}

std::string updaterCommandLine(std::string_view runDirectory, const UpdaterValues& values) {
    std::string path(runDirectory);
    path += '/';
    path += updaterFolderName();
    path += '/';
    path += updaterFileName();
    // Unquoted, a space in the folder would end the updater's path early and
    // turn the rest into its first argument, which it then refuses.
    if (std::any_of(path.begin(), path.end(), isSeparator))
        path = '"' + path + '"';

    std::string line = path;
    line += text::gbk(" 验证参数");
    line += ' ';
    line += values.downloadUrl;
    line += ' ';
    line += values.title;
    line += ' ';
    line += text::gbk("运行 澜舟号录.exe");
    line += ' ';
    line += values.fileName;
    line += ' ';
    line += values.notes;
    return line;
}

std::vector<std::string> splitUpdaterCommandLine(std::string_view line) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    if (!line.empty() && line[0] == '"') {
        const auto close = line.find('"', 1);
        const auto end = close == std::string_view::npos ? line.size() : close;
        parts.emplace_back(line.substr(1, end - 1));
        pos = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        const auto space = line.find(' ');
        const auto end = space == std::string_view::npos ? line.size() : space;
        parts.emplace_back(line.substr(0, end));
        pos = end;
    }
    while (true) {
        while (pos < line.size() && isSeparator(line[pos]))
            ++pos;
        if (pos >= line.size())
            break;
        std::string arg;
        bool quoted = false;
        while (pos < line.size() && (quoted || !isSeparator(line[pos]))) {
            if (line[pos] == '"')
                quoted = !quoted;
            else
                arg.push_back(line[pos]);
            ++pos;
        }
        parts.push_back(std::move(arg));
    }
    return parts;
}

} // namespace ssq::update
