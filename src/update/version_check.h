#pragma once
// What the update check reads from a loaded manifest: the published version
// and the texts of the offer and of the updater's arguments. All values are
// attributes of the element "最新版本/版本信息"; a missing one reads as empty.

#include "update/manifest_reader.h"

#include <string>

namespace ssq::update {

enum class ManifestField {
    Version,     // 版本号
    Notes,       // 升级说明
    DownloadUrl, // 下载地址
    Title,       // 文件标题
    FileName,    // 文件名
    Signature,   // 签名: the package's signature (package_signature.h)
};

// The attribute's value as code page 936 text.
std::string manifestField(const ManifestReader& reader, ManifestField field);

// 版本号 read like atof after full-width folding: 0 when missing or not a number.
double publishedVersion(const ManifestReader& reader);

// "发现有新版本可以更新！\r\n\r\n版本号：" + 版本号 + "\r\n下载说明：" + 升级说明.
std::string offerText(const ManifestReader& reader);

} // namespace ssq::update
