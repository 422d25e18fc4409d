#include "numbers_cli.h"

#include "numbers/bundled_history.h"
#include "numbers/fairness.h"
#include "numbers/history_file.h"
#include "numbers/table_csv.h"
#include "numbers/ticket_check.h"
#include "numbers/trend.h"
#include "store/draw_store.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

namespace ssq::numbers_cli {
namespace {

using namespace numbers;

constexpr std::string_view kUsage =
    "用法：\n"
    "  ssq-numbers [--data 文件 | --store 文件] check 号码… [--period 期号 | --all]\n"
    "      对照一期（默认最新一期）或全部历史查询中奖；号码如 \"01 02 03 04 05 06 + 07\"，\n"
    "      每个参数一注；也可把一注拆成多个参数；\"-\" 从标准输入按行读取。\n"
    "  ssq-numbers [--data 文件 | --store 文件] stats [--last N] [--csv]\n"
    "      最近 N 期（默认全部）各号码的次数、遗漏与卡方检验。\n"
    "  ssq-numbers [--data 文件 | --store 文件] export --csv 文件\n"
    "      把开奖数据写成 CSV（UTF-8 带 BOM）。\n"
    "  --data 读 CSV 开奖数据，--store 读本机保存的开奖数据库；\n"
    "  都不给时使用本机保存的开奖数据（没有时用程序自带的）。\n";

struct Failure {
    int code;
    std::string message;
};

std::optional<std::size_t> positiveNumber(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0)
        return std::nullopt;
    return value;
}

// The draws of a local draw store file, which must exist.
HistoryFile storedHistory(const std::string& path) {
    if (!std::ifstream(path, std::ios::binary))
        throw Failure{kExitFile, "无法读取开奖数据库：" + path};
    const store::DrawStore stored(path);
    HistoryFile file;
    for (const store::DrawRecord& record : stored.draws(store::Order::OldestFirst)) {
        Draw draw;
        draw.period = std::to_string(record.period);
        draw.date = record.date;
        draw.reds = record.reds;
        draw.blue = record.blue;
        file.draws.push_back(std::move(draw));
    }
    return file;
}

// The history to work on: the CSV file given, the store given, or the bundled
// one. Lines left out of a file are reported as warnings.
std::vector<Draw> loadHistory(const std::optional<std::string>& path,
                              const std::optional<std::string>& storePath, std::ostream& err) {
    HistoryFile file;
    if (storePath) {
        file = storedHistory(*storePath);
    } else if (path) {
        std::ifstream in(*path, std::ios::binary);
        if (!in)
            throw Failure{kExitFile, "无法读取开奖数据文件：" + *path};
        std::stringstream text;
        text << in.rdbuf();
        file = readHistoryCsv(text.str());
    } else {
        file = bundledHistory();
    }
    for (const std::string& e : file.errors)
        err << "警告：" << e << "，已跳过\n";
    if (file.draws.empty())
        throw Failure{kExitFile, "开奖数据里没有一期有效数据"};
    return inPeriodOrder(std::move(file.draws));
}

// An option's value, or a usage failure naming the option.
std::string valueOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size())
        throw Failure{kExitUsage, args[i] + " 后面缺少值"};
    return args[++i];
}

bool isSingleToken(const std::string& arg) {
    return arg.find_first_of(" \t,") == std::string::npos;
}

std::string levelsText(const LevelCounts& counts) {
    std::string text;
    for (int level = 1; level <= kPrizeLevels; ++level)
        if (counts[level] > 0)
            text += (text.empty() ? "" : "，") + std::string(levelName(level)) + " " +
                    std::to_string(counts[level]) + " 注";
    return text.empty() ? "未中奖" : text;
}

int check(const std::vector<std::string>& args, const std::vector<Draw>& history, std::istream& in,
          std::ostream& out, std::ostream& err) {
    std::vector<std::string> tickets;
    std::optional<std::string> period;
    bool all = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--period")
            period = valueOf(args, i);
        else if (args[i] == "--all")
            all = true;
        else if (args[i] == "-")
            for (std::string line; std::getline(in, line);) {
                if (line.find_first_not_of(" \t\r") != std::string::npos)
                    tickets.push_back(line);
            }
        else if (args[i].starts_with("--"))
            throw Failure{kExitUsage, "check 不认识选项 " + args[i]};
        else
            tickets.push_back(args[i]);
    }
    if (tickets.empty())
        throw Failure{kExitUsage, "check 需要至少一注号码"};
    if (period && all)
        throw Failure{kExitUsage, "--period 与 --all 只能选一个"};
    // "check 01 02 03 04 05 06 + 07" typed without quotes is one ticket.
    if (tickets.size() > 1 && std::all_of(tickets.begin(), tickets.end(), isSingleToken)) {
        std::string joined;
        for (const std::string& t : tickets)
            joined += t + " ";
        tickets = {joined};
    }

    std::vector<DrawBits> bits;
    if (all) {
        for (const Draw& d : history)
            bits.push_back(drawBits(d));
        out << "对照全部 " << history.size() << " 期（" << history.front().period << " 至 "
            << history.back().period << "）\n";
    } else {
        const std::string wanted = period && period->size() == 5 ? "20" + *period
                                   : period                      ? *period
                                                                 : history.back().period;
        const auto found = std::find_if(history.begin(), history.end(),
                                        [&](const Draw& d) { return d.period == wanted; });
        if (found == history.end()) {
            err << "错误：开奖数据里没有第 " << wanted << " 期\n";
            return kExitBadInput;
        }
        bits.push_back(drawBits(*found));
        Ticket drawn{{found->reds.begin(), found->reds.end()}, {found->blue}};
        out << "第 " << found->period << " 期（" << found->date << "）开奖：" << ticketText(drawn)
            << "\n";
    }

    std::vector<TicketLine> lines;
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        TicketLine line = parseTicket(tickets[i]);
        line.lineNumber = i + 1;
        lines.push_back(std::move(line));
    }
    const TicketReport report = checkTickets(std::move(lines), bits);
    for (const TicketResult& r : report.results) {
        if (!r.line.ok()) {
            err << "错误：第 " << r.line.lineNumber << " 注“" << r.line.text << "”："
                << r.line.error << "\n";
            continue;
        }
        out << "第 " << r.line.lineNumber << " 注 " << ticketText(r.line.ticket);
        const std::int64_t singles = TicketChecker(r.line.ticket).singleTickets();
        if (singles > 1)
            out << "（复式 " << singles << " 注）";
        out << "：" << levelsText(r.counts);
        if (r.fixedPrizes > 0)
            out << "，固定奖金 " << r.fixedPrizes << " 元";
        out << "\n";
    }
    out << "合计：" << report.singleTickets << " 注，" << levelsText(report.counts) << "；固定奖金 "
        << report.fixedPrizes << " 元（一、二等奖为浮动奖金，未计入）\n";
    return report.badLines > 0 ? kExitBadInput : kExitOk;
}

void printFairness(std::string_view what, const std::optional<ChiSquare>& test, std::ostream& out) {
    if (!test)
        return;
    out << what << "：卡方 " << fixedText(test->statistic, 2) << "，自由度 "
        << test->degreesOfFreedom << "，p = " << fixedText(test->pValue, 4) << "\n";
}

int stats(const std::vector<std::string>& args, const std::vector<Draw>& history,
          std::ostream& out) {
    std::size_t last = 0;
    bool csv = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--last") {
            const std::string value = valueOf(args, i);
            const std::optional<std::size_t> n = positiveNumber(value);
            if (!n)
                throw Failure{kExitUsage, "--last 需要正整数，得到“" + value + "”"};
            last = *n;
        } else if (args[i] == "--csv") {
            csv = true;
        } else {
            throw Failure{kExitUsage, "stats 不认识参数 " + args[i]};
        }
    }
    const TrendTable table = buildTrend(history, lastDrawsStart(history.size(), last));
    if (csv) {
        out << figuresCsv(table);
        return kExitOk;
    }
    out << "范围：最近 " << table.rows.size() << " 期（" << history[table.first].period << " 至 "
        << history.back().period << "）\n";
    out << "号码  次数  占比%   期望  当前遗漏  平均遗漏  最大遗漏  最大连出\n";
    auto print = [&out](const std::vector<NumberFigures>& rows, std::string_view colour) {
        for (const NumberFigures& r : rows) {
            char line[160];
            std::snprintf(line, sizeof line, " %5d %6.2f %6.2f %9d %9.2f %9d %9d\n",
                          r.figures.count, r.share * 100, r.expected, r.figures.currentOmission,
                          r.figures.averageOmission, r.figures.maxOmission, r.figures.maxStreak);
            out << colour << twoDigits(r.number) << line;
        }
    };
    print(redFigures(table), "红");
    print(blueFigures(table), "蓝");
    printFairness("红球", redFairness(table), out);
    printFairness("蓝球", blueFairness(table), out);
    out << kIndependenceNote << "\n";
    return kExitOk;
}

int exportHistory(const std::vector<std::string>& args, const std::vector<Draw>& history,
                  std::ostream& out) {
    std::optional<std::string> path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--csv")
            path = valueOf(args, i);
        else
            throw Failure{kExitUsage, "export 不认识参数 " + args[i]};
    }
    if (!path)
        throw Failure{kExitUsage, "export 需要 --csv 文件"};
    const std::string text = historyCsv(history);
    std::ofstream file(*path, std::ios::binary | std::ios::trunc);
    if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size())) ||
        !file.flush())
        throw Failure{kExitFile, "无法写入文件：" + *path};
    out << "已导出 " << history.size() << " 期到 " << *path << "\n";
    return kExitOk;
}

} // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    try {
        std::optional<std::string> dataPath;
        std::optional<std::string> storePath;
        std::size_t i = 0;
        for (; i < args.size() && args[i].starts_with("--"); ++i) {
            if (args[i] == "--help") {
                out << kUsage;
                return kExitOk;
            }
            if (args[i] == "--data")
                dataPath = valueOf(args, i);
            else if (args[i] == "--store")
                storePath = valueOf(args, i);
            else
                throw Failure{kExitUsage, "不认识的选项 " + args[i]};
        }
        if (i >= args.size())
            throw Failure{kExitUsage, "缺少命令（check、stats 或 export）"};
        const std::string command = args[i];
        const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                            args.end());
        if (command != "check" && command != "stats" && command != "export")
            throw Failure{kExitUsage, "不认识的命令 " + command};
        if (dataPath && storePath)
            throw Failure{kExitUsage, "--data 与 --store 只能给一个"};
        const std::vector<Draw> history = loadHistory(dataPath, storePath, err);
        if (command == "check")
            return check(rest, history, in, out, err);
        if (command == "stats")
            return stats(rest, history, out);
        return exportHistory(rest, history, out);
    } catch (const Failure& failure) {
        err << "错误：" << failure.message << "\n";
        if (failure.code == kExitUsage)
            err << kUsage;
        return failure.code;
    }
}

} // namespace ssq::numbers_cli
