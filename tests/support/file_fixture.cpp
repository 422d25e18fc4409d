#include "file_fixture.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace ssq::test {

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& content, fs::perms perms) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
    fs::permissions(p, perms);
}

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const auto rel = it->path().lexically_relative(root).string();
        if (it->is_symlink())
            files[rel] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            files[rel] = readFile(it->path());
        else
            files[rel + "/"] = "";
    }
    return files;
}

} // namespace ssq::test
