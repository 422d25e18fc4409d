#include "sources/zhcw_json.h"

#include "sources/json_fields.h"
#include "store/number_text.h"

namespace ssq::sources {

std::string zhcwPageQuery(std::int32_t startIssue, std::int32_t endIssue, int pageNum, int pageSize,
                          const std::string& tt) {
    return std::string(kZhcwPath) +
           "?transactionType=10001001&lotteryId=1&type=1&startIssue=" + std::to_string(startIssue) +
           "&endIssue=" + std::to_string(endIssue) + "&pageNum=" + std::to_string(pageNum) +
           "&pageSize=" + std::to_string(pageSize) + "&tt=" + tt;
}

SourceAnswer parseZhcwPage(std::string_view body) {
    const nlohmann::json doc = nlohmann::json::parse(body, nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        return refused("not a JSON object");
    const auto code = fieldText(doc, "resCode");
    if (!code)
        return refused("no resCode");
    if (*code != "000000") {
        const auto message = fieldText(doc, "resCodeMsg");
        return refused("resCode " + *code + (message ? " " + *message : std::string()));
    }
    const auto pages = fieldCount(doc, "pages", 1);
    const auto data = doc.find("data");
    if (!pages || data == doc.end() || !data->is_array())
        return refused("no data list");
    SourceAnswer answer;
    answer.pages = static_cast<int>(*pages);
    for (const nlohmann::json& row : *data) {
        if (!row.is_object())
            return refused("a row is not an object");
        store::DrawRecord d;
        const auto issue = fieldText(row, "issue");
        const auto date = fieldText(row, "openTime");
        const auto reds = fieldText(row, "frontWinningNum");
        const auto blue = fieldText(row, "backWinningNum");
        if (!issue || !readPeriod(*issue, d.period))
            return refused("a row without a valid issue");
        const std::string who = "issue " + *issue + ": ";
        if (!date || !reds || !blue)
            return refused(who + "missing field");
        d.date = *date;
        if (!readSixNumbers(*reds, ' ', d.reds) || !readBall(*blue, d.blue))
            return refused(who + "numbers unreadable");
        if (!store::readAmount(fieldText(row, "saleMoney").value_or(""), d.sales) ||
            !store::readAmount(fieldText(row, "prizePoolMoney").value_or(""), d.pool))
            return refused(who + "amount unreadable");
        d.source = "zhcw";
        answer.draws.push_back(std::move(d));
    }
    answer.ok = true;
    return answer;
}

} // namespace ssq::sources
