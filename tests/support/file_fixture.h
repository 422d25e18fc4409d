#pragma once
// Whole-file helpers for the update tests.

#include <filesystem>
#include <map>
#include <string>

namespace ssq::test {

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& content,
               std::filesystem::perms perms = std::filesystem::perms(0644));
// Every file below root with its content (links as "-> target", folders as "name/").
std::map<std::string, std::string> snapshot(const std::filesystem::path& root);

} // namespace ssq::test
