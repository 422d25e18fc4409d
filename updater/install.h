#pragma once
// The installation of the unpacked files into the program's folder, all or
// nothing.

#include "updater/update_result.h"

#include <filesystem>
#include <vector>

namespace ssq::updater {

// One installation as a transaction in three phases:
//   stage       - every new file is written beside its target (".name.update-new");
//   keepOld     - every existing target gets a second name (".name.update-old");
//   commit      - each new file is renamed over its target in one step.
// Until commit has succeeded the transaction owns the roll-back: a failing
// phase, or the object going away uncommitted, removes the staged files and
// the folders it created and puts back every old file already replaced. The
// program's folder then keeps its files as they were.
class InstallTransaction {
public:
    explicit InstallTransaction(std::filesystem::path programDir);
    ~InstallTransaction();
    InstallTransaction(const InstallTransaction&) = delete;
    InstallTransaction& operator=(const InstallTransaction&) = delete;

    Result stage(const std::filesystem::path& from);
    Result keepOld();
    Result commit();

private:
    struct File {
        std::filesystem::path source;
        std::filesystem::path target;
        std::filesystem::path staged;
        std::filesystem::path backup; // empty: the target did not exist
        bool replaced = false;
    };

    Result stageFile(const File& file);
    void rollBack();
    void dropBackups();

    std::filesystem::path m_programDir;
    std::vector<File> m_files;
    std::vector<std::filesystem::path> m_createdDirs;
    bool m_committed = false;
};

// Copies every file under from into programDir at the same relative place, as
// one InstallTransaction.
Result installFiles(const std::filesystem::path& from, const std::filesystem::path& programDir);

} // namespace ssq::updater
