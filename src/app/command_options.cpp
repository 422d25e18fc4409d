#include "app/command_options.h"

#include "build_config.h"
#include "text/gbk_text.h"
#include "update/program_version.h"

#include <string_view>

namespace ssq::app {

StartRequest startRequest(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help")
            return StartRequest::Help;
        if (arg == "--version")
            return StartRequest::Version;
    }
    return StartRequest::Window;
}

std::string versionText() {
    // The version is plain ASCII digits, so the same bytes serve as UTF-8.
    return std::string(SSQ_PRODUCT_TITLE) + " " + text::formatReal(update::kProgramVersion) + "\n";
}

std::string helpText() {
    return "用法：" SSQ_PACKAGE_NAME " [选项]\n" SSQ_PRODUCT_TITLE
           "：下载双色球开奖数据，统计红球、蓝球出现次数，生成选号。\n"
           "不带选项时打开主窗口。\n"
           "\n"
           "  -h, --help     显示本帮助并退出\n"
           "      --version  显示版本号并退出\n";
}

} // namespace ssq::app
