#include "numbers/table_csv.h"

#include "numbers/csv.h"

#include <cstdio>

namespace ssq::numbers {
namespace {

std::vector<std::string> figureNames() {
    return {"出现次数", "平均遗漏", "最大遗漏", "最大连出"};
}

std::string figureValue(const ColumnFigures& f, int which) {
    switch (which) {
    case 0:
        return std::to_string(f.count);
    case 1:
        return fixedText(f.averageOmission, 2);
    case 2:
        return std::to_string(f.maxOmission);
    default:
        return std::to_string(f.maxStreak);
    }
}

void addFigureRows(std::vector<NumberFigures> rows, std::string_view colour, std::string& out) {
    for (const NumberFigures& r : rows)
        out += csvRecord(
            {twoDigits(r.number), std::string(colour), std::to_string(r.figures.count),
             fixedText(r.share, 4), fixedText(r.expected, 2),
             std::to_string(r.figures.currentOmission), fixedText(r.figures.averageOmission, 2),
             std::to_string(r.figures.maxOmission), std::to_string(r.figures.maxStreak)});
}

void addFairnessRow(const std::optional<ChiSquare>& test, std::string_view colour,
                    std::size_t draws, std::string& out) {
    if (!test) {
        out += csvRecord({std::string(colour), std::to_string(draws), "", "", ""});
        return;
    }
    char p[32];
    std::snprintf(p, sizeof p, "%.6g", test->pValue);
    out += csvRecord({std::string(colour), std::to_string(draws), fixedText(test->statistic, 4),
                      std::to_string(test->degreesOfFreedom), p});
}

} // namespace

std::string fixedText(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string trendCsv(std::span<const Draw> history, const TrendTable& table) {
    std::vector<std::string> header{"期号", "日期"};
    for (int n = 1; n <= kRedNumbers; ++n)
        header.push_back("红" + twoDigits(n));
    header.insert(header.end(), {"和值", "跨度", "奇偶比"});
    for (int n = 1; n <= kBlueNumbers; ++n)
        header.push_back("蓝" + twoDigits(n));
    std::string out(kUtf8Bom);
    out += csvRecord(header);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const TrendRow& row = table.rows[i];
        const Draw& draw = history[table.first + i];
        std::vector<std::string> fields{draw.period, draw.date};
        for (int omission : row.redOmission)
            fields.push_back(std::to_string(omission));
        fields.insert(fields.end(),
                      {std::to_string(row.sum), std::to_string(row.span), oddEvenText(row.odd)});
        for (int omission : row.blueOmission)
            fields.push_back(std::to_string(omission));
        out += csvRecord(fields);
    }
    const std::vector<std::string> names = figureNames();
    for (int which = 0; which < static_cast<int>(names.size()); ++which) {
        std::vector<std::string> fields{names[which], ""};
        for (const ColumnFigures& f : table.red)
            fields.push_back(figureValue(f, which));
        fields.insert(fields.end(), {"", "", ""});
        for (const ColumnFigures& f : table.blue)
            fields.push_back(figureValue(f, which));
        out += csvRecord(fields);
    }
    return out;
}

std::string figuresCsv(const TrendTable& table) {
    std::string out(kUtf8Bom);
    out += csvRecord({"号码", "颜色", "出现次数", "占比", "期望次数", "当前遗漏", "平均遗漏",
                      "最大遗漏", "最大连出"});
    addFigureRows(redFigures(table), "红", out);
    addFigureRows(blueFigures(table), "蓝", out);
    return out;
}

std::string fairnessCsv(const TrendTable& table) {
    std::string out(kUtf8Bom);
    out += csvRecord({"颜色", "期数", "卡方统计量", "自由度", "p值"});
    addFairnessRow(redFairness(table), "红", table.rows.size(), out);
    addFairnessRow(blueFairness(table), "蓝", table.rows.size(), out);
    return out;
}

std::string ticketReportCsv(const TicketReport& report) {
    std::vector<std::string> header{"行", "号码", "错误", "注数"};
    for (int level = 1; level <= kPrizeLevels; ++level)
        header.emplace_back(levelName(level));
    header.emplace_back("固定奖金");
    std::string out(kUtf8Bom);
    out += csvRecord(header);
    for (const TicketResult& r : report.results) {
        std::vector<std::string> fields{std::to_string(r.line.lineNumber), r.line.text,
                                        r.line.error};
        if (r.line.ok()) {
            fields.push_back(std::to_string(TicketChecker(r.line.ticket).singleTickets()));
            for (int level = 1; level <= kPrizeLevels; ++level)
                fields.push_back(std::to_string(r.counts[level]));
            fields.push_back(std::to_string(r.fixedPrizes));
        }
        out += csvRecord(fields);
    }
    std::vector<std::string> total{"合计", "", "", std::to_string(report.singleTickets)};
    for (int level = 1; level <= kPrizeLevels; ++level)
        total.push_back(std::to_string(report.counts[level]));
    total.push_back(std::to_string(report.fixedPrizes));
    out += csvRecord(total);
    return out;
}

} // namespace ssq::numbers
