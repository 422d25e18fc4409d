// The three answer formats of the live sources, read from fixtures written in
// their documented shape, including hostile answers.

#include "sources/cwl_json.h"
#include "sources/text_history.h"
#include "sources/zhcw_json.h"

#include <gtest/gtest.h>

namespace ssq::sources {
namespace {

struct Case {
    const char* name;
    std::string body;
    const char* error; // a word of the reason, or nullptr when accepted
};

void expectRefusal(const SourceAnswer& a, const Case& c) {
    if (!c.error) {
        EXPECT_TRUE(a.ok) << c.name << ": " << a.error;
        return;
    }
    EXPECT_FALSE(a.ok) << c.name;
    EXPECT_TRUE(a.draws.empty()) << c.name;
    EXPECT_NE(a.error.find(c.error), std::string::npos) << c.name << ": " << a.error;
}

const std::string kZhcwRow =
    R"j({"issue":"2025059","openTime":"2025-05-27","frontWinningNum":"04 10 11 12 13 24",)j"
    R"j("seqFrontWinningNum":"11 24 12 13 10 04","backWinningNum":"01","seqBackWinningNum":"01",)j"
    R"j("saleMoney":"357078086","prizePoolMoney":"2266201070","week":"星期二",)j"
    R"j("winnerDetails":[{"awardEtc":"1","baseBetWinner":{"awardNum":"5","awardMoney":"5000000"}}]})j";

std::string zhcw(const std::string& rows, const std::string& code = "000000") {
    return R"j({"resCode":")j" + code +
           R"j(","resCodeMsg":"","pageNum":"1","pageSize":"30","total":"2","pages":"2","data":[)j" +
           rows + "]}";
}

TEST(ZhcwJson, ReadsRowsAndRefusesWhatIsNotADrawPage) {
    const SourceAnswer a = parseZhcwPage(zhcw(kZhcwRow));
    ASSERT_TRUE(a.ok) << a.error;
    EXPECT_EQ(a.pages, 2);
    ASSERT_EQ(a.draws.size(), 1u);
    const store::DrawRecord& d = a.draws[0];
    EXPECT_EQ(d.period, 2025059);
    EXPECT_EQ(d.date, "2025-05-27");
    EXPECT_EQ(d.reds, (std::array<int, 6>{4, 10, 11, 12, 13, 24}));
    EXPECT_EQ(d.blue, 1);
    EXPECT_EQ(d.sales, 357078086);
    EXPECT_EQ(d.pool, 2266201070);
    EXPECT_EQ(d.source, "zhcw");

    const auto with = [](const std::string& from, const std::string& to) {
        std::string row = kZhcwRow;
        row.replace(row.find(from), from.size(), to);
        return zhcw(row);
    };
    const Case cases[] = {
        {"no rows", zhcw(""), nullptr},
        {"amounts missing", with(R"j("saleMoney":"357078086",)j", ""), nullptr},
        {"HTML instead of JSON", "<html><body>403 Forbidden</body></html>", "JSON"},
        {"truncated", zhcw(kZhcwRow).substr(0, 120), "JSON"},
        {"missing parameters", zhcw("", "9998"), "9998"},
        {"page check failed", zhcw("", "000014"), "000014"},
        {"no resCode", R"j({"data":[]})j", "resCode"},
        {"data not a list", R"j({"resCode":"000000","data":{}})j", "data"},
        {"five reds", with("04 10 11 12 13 24", "04 10 11 12 13"), "numbers"},
        {"seven reds", with("04 10 11 12 13 24", "04 10 11 12 13 24 30"), "numbers"},
        {"reds with commas", with("04 10 11 12 13 24", "04,10,11,12,13,24"), "numbers"},
        {"blue as word", with(R"j("backWinningNum":"01")j", R"j("backWinningNum":"x")j"),
         "numbers"},
        {"issue as number", with(R"j("issue":"2025059")j", R"j("issue":2025059.5)j"), "issue"},
        {"six-digit issue", with(R"j("issue":"2025059")j", R"j("issue":"202559")j"), "issue"},
        {"negative sales", with("357078086", "-357078086"), "amount"},
        {"no date", with(R"j("openTime":"2025-05-27",)j", ""), "missing"},
    };
    for (const Case& c : cases)
        expectRefusal(parseZhcwPage(c.body), c);
}

const std::string kCwlRow =
    R"j({"name":"双色球","code":"2023118","date":"2023-10-15(日)","week":"日",)j"
    R"j("red":"01,02,11,19,25,29","blue":"05","sales":"416077564","poolmoney":"2354656592",)j"
    R"j("content":"","prizegrades":[{"type":1,"typenum":"_","typemoney":"_"}]})j";

std::string cwl(const std::string& rows, const std::string& state = "0") {
    return R"j({"state":)j" + state + R"j(,"message":"查询成功","pageCount":1,"result":[)j" + rows +
           "]}";
}

TEST(CwlJson, ReadsRowsAndRefusesWhatIsNotADrawPage) {
    const SourceAnswer a = parseCwlPage(cwl(kCwlRow + "," + kCwlRow));
    ASSERT_TRUE(a.ok) << a.error;
    ASSERT_EQ(a.draws.size(), 2u);
    const store::DrawRecord& d = a.draws[0];
    EXPECT_EQ(d.period, 2023118);
    EXPECT_EQ(d.date, "2023-10-15");
    EXPECT_EQ(d.reds, (std::array<int, 6>{1, 2, 11, 19, 25, 29}));
    EXPECT_EQ(d.blue, 5);
    EXPECT_EQ(d.sales, 416077564);
    EXPECT_EQ(d.pool, 2354656592);
    EXPECT_EQ(d.source, "cwl");

    const auto with = [](const std::string& from, const std::string& to) {
        std::string row = kCwlRow;
        row.replace(row.find(from), from.size(), to);
        return cwl(row);
    };
    const Case cases[] = {
        {"date without weekday", with("2023-10-15(日)", "2023-10-15"), nullptr},
        {"pool not yet published", with(R"j("poolmoney":"2354656592")j", R"j("poolmoney":"_")j"),
         nullptr},
        {"state not 0", cwl("", "1"), "state"},
        {"no state", R"j({"result":[]})j", "state"},
        {"robot page", "<!DOCTYPE html><html><title>安全验证</title></html>", "JSON"},
        {"truncated", cwl(kCwlRow).substr(0, 90), "JSON"},
        {"red with spaces", with("01,02,11,19,25,29", "01 02 11 19 25 29"), "numbers"},
        {"code missing", with(R"j("code":"2023118",)j", ""), "code"},
        {"weekday glued to a short date", with("2023-10-15(日)", "2023-10-5(日)"), "date"},
        {"sales with commas", with("416077564", "416,077,564"), "amount"},
        {"result not a list", R"j({"state":0,"result":"none"})j", "result"},
    };
    for (const Case& c : cases)
        expectRefusal(parseCwlPage(c.body), c);
}

TEST(TextHistory, ReadsLinesAndRefusesTheWholeFileForOneBadLine) {
    const std::string first = "2003001 2003-02-23 10 11 12 13 26 28 11 10 13 26 28 11 12 0 0 "
                              "0 0 0 0 0 0 0 0 0 0 0 0";
    const std::string second = "2004001 2004-01-01 01 02 03 07 10 25 07 07 02 03 25 01 10 "
                               "66703336 98223369 0 0 13 280673 233 3000 12183 200 231342 10 "
                               "3014617 5";
    const SourceAnswer a = parseTextHistory(first + "\r\n\n" + second + "\n");
    ASSERT_TRUE(a.ok) << a.error;
    ASSERT_EQ(a.draws.size(), 2u);
    EXPECT_EQ(a.draws[0].sales, 0);
    const store::DrawRecord& d = a.draws[1];
    EXPECT_EQ(d.period, 2004001);
    EXPECT_EQ(d.date, "2004-01-01");
    EXPECT_EQ(d.reds, (std::array<int, 6>{1, 2, 3, 7, 10, 25}));
    EXPECT_EQ(d.blue, 7);
    EXPECT_EQ(d.sales, 66703336);
    EXPECT_EQ(d.pool, 98223369);
    EXPECT_EQ(d.source, "text");

    const Case cases[] = {
        {"empty file", "", nullptr},
        {"without prize fields", "2004001 2004-01-01 01 02 03 07 10 25 07 07 02 03 25 01 10 1 2",
         nullptr},
        {"HTML page", "<html><body>Forbidden</body></html>", "few fields"},
        {"cut off mid-line", second.substr(0, 40), "few fields"},
        {"drawing order of other reds",
         "2004001 2004-01-01 01 02 03 07 10 25 07 07 02 03 26 01 10 "
         "1 2",
         "drawing order"},
        {"period with letters", "2004OO1 2004-01-01 01 02 03 07 10 25 07 07 02 03 25 01 10 1 2",
         "period"},
        {"three-digit red", "2004001 2004-01-01 001 02 03 07 10 25 07 07 02 03 25 01 10 1 2",
         "numbers"},
        {"amount with a point", "2004001 2004-01-01 01 02 03 07 10 25 07 07 02 03 25 01 10 1.5 2",
         "amount"},
    };
    for (const Case& c : cases)
        expectRefusal(parseTextHistory(first + "\n" + c.body), c);
}

} // namespace
} // namespace ssq::sources
