#pragma once
// The call the program starts the updater with, and where the updater lives.
// The updater reads its arguments with updater::readArguments; the tests hold
// the two sides together.
//
//   <root>/升级文件/update.exe 验证参数 <下载地址> <文件标题> 运行 澜舟号录.exe <文件名> <升级说明>
//   <签名>
//
// Each value is exactly one argument, whatever it holds: spaces, nothing at
// all, or a leading dash. No shell and no splitting lie between the program
// and the updater, so no value can shift the ones after it.

#include "update/manifest_reader.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ssq::update {

struct UpdaterValues {
    std::string downloadUrl; // 下载地址
    std::string title;       // 文件标题
    std::string fileName;    // 文件名
    std::string notes;       // 升级说明
    std::string signature;   // 签名 (base64, ASCII)
};

// The values from the manifest (code page 936), read in the order 下载地址,
// 文件标题, 文件名, 升级说明, 签名. A missing one is empty.
UpdaterValues updaterValues(const ManifestReader& reader);

// The updater's folder and file below the program's folder (root).
std::filesystem::path updaterFolder(const std::filesystem::path& root); // root/升级文件
std::filesystem::path updaterFile(const std::filesystem::path& root); // root/升级文件/update.exe

// The updater's arguments after its own path, in UTF-8: the marker, the
// values and the fixed words, eight in all.
std::vector<std::string> updaterArguments(const UpdaterValues& values);

} // namespace ssq::update
