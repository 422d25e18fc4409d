#pragma once
// The command line the program starts the updater with, and how the updater
// reads it back into arguments. Both sides use these functions, so the
// hand-off and the updater's argument check always agree.
//
// The line is code page 936 text:
//   <run dir>/升级文件/update.exe 验证参数 <下载地址> <文件标题> 运行 澜舟号录.exe <文件名> <升级说明>
// Manifest values go in unquoted: a space inside one splits it, and an empty
// one merges its two neighbouring spaces, shifting the arguments after it.
// The updater's path is put in double quotes when the run directory holds a
// space or another character the updater splits at, so that a program folder
// such as "/home/me/my tools" still hands over.

#include "update/manifest_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace ssq::update {

struct UpdaterValues {
    std::string downloadUrl; // 下载地址
    std::string title;       // 文件标题
    std::string fileName;    // 文件名
    std::string notes;       // 升级说明
};

// The four values from the manifest, read in the order 下载地址, 文件标题, 文件名, 升级说明.
UpdaterValues updaterValues(const ManifestReader& reader);

// The folder and file the updater lives in, relative to the run directory.
const std::string& updaterFolderName(); // "升级文件" (code page 936)
const std::string& updaterFileName();   // "update.exe"

// The whole command line. runDirectory has no trailing slash.
std::string updaterCommandLine(std::string_view runDirectory, const UpdaterValues& values);

// Splits a command line by the updater's rules: its own path first (up to the
// closing double quote when the line starts with one, else up to the first
// space), then the arguments, separated by runs of bytes up to 32, where a run
// between double quotes counts as one argument. Element 0 is the path.
std::vector<std::string> splitUpdaterCommandLine(std::string_view line);

} // namespace ssq::update
