#include "update/version_check.h"

#include "text/codec.h"
#include "text/gbk_text.h"

namespace ssq::update {
namespace {

const char* utf8Name(ManifestField field) {
    switch (field) {
    case ManifestField::Version:
        return "版本号";
    case ManifestField::Notes:
        return "升级说明";
    case ManifestField::DownloadUrl:
        return "下载地址";
    case ManifestField::Title:
        return "文件标题";
    case ManifestField::FileName:
        return "文件名";
    case ManifestField::Signature:
        return "签名";
    }
    return "";
}

} // namespace

std::string manifestField(const ManifestReader& reader, ManifestField field) {
    static const std::string path = text::gbk("最新版本/版本信息");
    return reader.attribute(path, text::gbk(utf8Name(field)));
}

double publishedVersion(const ManifestReader& reader) {
    return text::number(manifestField(reader, ManifestField::Version));
}

std::string offerText(const ManifestReader& reader) {
    return text::gbk("发现有新版本可以更新！\r\n\r\n版本号：") +
           manifestField(reader, ManifestField::Version) + text::gbk("\r\n下载说明：") +
           manifestField(reader, ManifestField::Notes);
}

} // namespace ssq::update
