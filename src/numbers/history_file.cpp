#include "numbers/history_file.h"

#include "numbers/csv.h"

namespace ssq::numbers {

HistoryFile readHistoryCsv(std::string_view text) {
    HistoryFile file;
    const std::vector<std::vector<std::string>> records = parseCsv(text);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::vector<std::string>& f = records[i];
        const bool header = i == 0 && (f[0].empty() || f[0][0] < '0' || f[0][0] > '9');
        if (header)
            continue;
        const std::string where = "第 " + std::to_string(i + 1) + " 行：";
        if (f.size() < 9) {
            file.errors.push_back(where + "字段不足 9 个");
            continue;
        }
        const bool periodOk = (f[0].size() == 5 || f[0].size() == 7) &&
                              f[0].find_first_not_of("0123456789") == std::string::npos;
        std::optional<Draw> draw =
            periodOk ? makeDraw(f[0], f[1], {f[2], f[3], f[4], f[5], f[6], f[7]}, f[8])
                     : std::nullopt;
        if (!periodOk)
            file.errors.push_back(where + "期号“" + f[0] + "”不是 5 或 7 位数字");
        else if (!draw)
            file.errors.push_back(where + "号码超出范围或重复");
        else
            file.draws.push_back(std::move(*draw));
    }
    return file;
}

std::string historyCsv(std::span<const Draw> draws) {
    std::string out(kUtf8Bom);
    out +=
        csvRecord({"期号", "日期", "红球1", "红球2", "红球3", "红球4", "红球5", "红球6", "蓝球"});
    for (const Draw& d : draws) {
        std::vector<std::string> fields{d.period, d.date};
        for (int red : d.reds)
            fields.push_back(twoDigits(red));
        fields.push_back(twoDigits(d.blue));
        out += csvRecord(fields);
    }
    return out;
}

} // namespace ssq::numbers
