#include "sources/cwl_json.h"

#include "sources/json_fields.h"
#include "store/number_text.h"

namespace ssq::sources {

std::string cwlPageQuery(std::int32_t issueStart, std::int32_t issueEnd, int pageNo, int pageSize) {
    return std::string(kCwlPath) + "?name=ssq&issueStart=" + std::to_string(issueStart) +
           "&issueEnd=" + std::to_string(issueEnd) + "&pageNo=" + std::to_string(pageNo) +
           "&pageSize=" + std::to_string(pageSize) + "&systemType=PC";
}

SourceAnswer parseCwlPage(std::string_view body) {
    const nlohmann::json doc = nlohmann::json::parse(body, nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        return refused("not a JSON object");
    const auto state = fieldCount(doc, "state", -1);
    if (!state || *state != 0) {
        const auto message = fieldText(doc, "message");
        return refused("state not 0" + (message ? ": " + *message : std::string()));
    }
    const auto pages = fieldCount(doc, "pageCount", 1);
    const auto result = doc.find("result");
    if (!pages || result == doc.end() || !result->is_array())
        return refused("no result list");
    SourceAnswer answer;
    answer.pages = static_cast<int>(*pages);
    for (const nlohmann::json& row : *result) {
        if (!row.is_object())
            return refused("a row is not an object");
        store::DrawRecord d;
        const auto code = fieldText(row, "code");
        const auto date = fieldText(row, "date");
        const auto reds = fieldText(row, "red");
        const auto blue = fieldText(row, "blue");
        if (!code || !readPeriod(*code, d.period))
            return refused("a row without a valid code");
        const std::string who = "code " + *code + ": ";
        if (!date || !reds || !blue)
            return refused(who + "missing field");
        // "2023-10-15(日)": the weekday in brackets is dropped.
        const std::size_t bracket = date->find('(');
        if (bracket != std::string::npos && bracket != 10)
            return refused(who + "date unreadable");
        d.date = date->substr(0, bracket);
        if (!readSixNumbers(*reds, ',', d.reds) || !readBall(*blue, d.blue))
            return refused(who + "numbers unreadable");
        if (!store::readAmount(fieldText(row, "sales").value_or(""), d.sales) ||
            !store::readAmount(fieldText(row, "poolmoney").value_or(""), d.pool))
            return refused(who + "amount unreadable");
        d.source = "cwl";
        answer.draws.push_back(std::move(d));
    }
    answer.ok = true;
    return answer;
}

} // namespace ssq::sources
