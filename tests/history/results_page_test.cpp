// The results-page parser: decoding, the page-count rule and draw extraction,
// on hand-made texts and on the demo server's pages of the real history.

#include "demo_server.h"
#include "extraction_oracle.h"
#include "history/results_page.h"
#include "text/codec.h"
#include "text/gbk_text.h"

#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include <locale>
#include <random>
#include <string>
#include <vector>

using ssq::history::decodePage;
using ssq::history::DrawExtractor;
using ssq::history::DrawFields;
using ssq::history::extractDraws;
using ssq::history::pageCount;
using ssq::text::gbk;

namespace {

const std::string kHistory = std::string(SSQ_SOURCE_DIR) + "/data/ssq_history.csv";

// One draw in the results server's row markup (page text, ASCII only).
std::string drawRow(const std::string& date, const std::string& period,
                    const std::vector<std::string>& balls, const std::string& sales) {
    std::string row = "<tr><td align=\"center\">" + date + "</td><td align=\"center\">" + period +
                      "</td><td align=\"center\" style=\"padding-left:10px;\">";
    for (std::size_t i = 0; i + 1 < balls.size(); ++i)
        row += "<em class=\"rr\">" + balls[i] + "</em>";
    row += "<em>" + balls.back() + "</em></td><td><strong>" + sales + "</strong></td></tr>\n";
    return row;
}

const DrawFields kFirst = {"2016-05-26", "2016060", "04", "09", "15",
                           "20",         "27",      "33", "08", "320,540,202"};
const DrawFields kSecond = {"2016-05-24", "2016059", "01", "02", "03", "04", "05", "06", "16", "9"};

std::string firstRow() {
    return drawRow(kFirst[0], kFirst[1], {kFirst.begin() + 2, kFirst.begin() + 9}, kFirst[9]);
}
std::string secondRow() {
    return drawRow(kSecond[0], kSecond[1], {kSecond.begin() + 2, kSecond.begin() + 9}, kSecond[9]);
}

// --- Decoding -------------------------------------------------------------

TEST(DecodePage, EmptyBodyGivesEmptyText) {
    EXPECT_EQ(decodePage(""), "");
}

TEST(DecodePage, ConvertsToGb2312AndStopsAtFirstZeroByte) {
    EXPECT_EQ(decodePage(std::string("共175页\0tail", 13)), gbk("共175页"));
}

TEST(DecodePage, CopyrightSignInFooterKeepsTheDraws) {
    // One character outside GB2312 costs that character only, not the page.
    const std::string body = firstRow() + secondRow() + "<div>版权所有 © 中彩网</div>";
    const std::string text = decodePage(body);
    EXPECT_NE(text.find(gbk("版权所有 ? 中彩网")), std::string::npos);
    const auto rows = extractDraws(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], kFirst);
    EXPECT_EQ(rows[1], kSecond);
}

TEST(DecodePage, BrokenUtf8BetweenDrawsKeepsTheDraws) {
    const std::string body = firstRow() + "\xE5\x85<p>\xFF</p>" + secondRow() + "\xE9";
    EXPECT_EQ(extractDraws(decodePage(body)).size(), 2u);
}

// --- Page count -----------------------------------------------------------

struct CountCase {
    const char* name;
    std::string text; // page text (GB2312)
    std::int32_t expected;
};

class PageCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(PageCountTest, ReadsBetweenTotalAndPages) {
    EXPECT_EQ(pageCount(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageCountTest,
    testing::Values(
        CountCase{"Example", gbk("共<strong>150</strong> 页"), 150},
        CountCase{"RealPager",
                  gbk("<p class=\"pg\"> 共<strong>175</strong> 页 /<strong>3493 "
                      "</strong>条记录 当前第<strong> 1 </strong>页</p>"),
                  175},
        CountCase{"NoPagesMark", gbk("共<strong>150</strong> "), 0},
        CountCase{"FullWidthDigits", gbk("共<strong>１５０</strong> 页"), 150},
        // Only 共 missing: the slice starts at byte 9 and runs for b - 19 bytes.
        CountCase{"NoTotalMark", gbk("12345678 42 and more text 页"), 42},
        CountCase{"NoTotalMarkInMarkup", gbk("<p class=\"pg\"><strong>150</strong> 页"), 0},
        CountCase{"PagesTooSoon", gbk("共<strong>页150</strong>"), 0},
        CountCase{"PagesBeforeTotal", gbk("首页 共<strong>150</strong> 页"), 0},
        CountCase{"Empty", "", 0}, CountCase{"NoNumber", gbk("共<strong>abc</strong> 页"), 0},
        CountCase{"Fraction", gbk("共<strong>9.9</strong> 页"), 9},
        CountCase{"Negative", gbk("共<strong>-3.7</strong> 页"), -3},
        CountCase{"Saturates", gbk("共<strong>1e99999</strong> 页"), 2147483647},
        CountCase{"SaturatesLow", gbk("共<strong>-1e99999</strong> 页"), -2147483647 - 1},
        // 页 written across the bytes of other characters does not count.
        CountCase{"PagesOnlyAcrossCharacters",
                  std::string("\xB9\xB2<strong>7</strong> \xA1\xD2\xB3\xA1"), 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PageCount, ProbeBeyondAnyRealHistoryCountsAsDamaged) {
    const auto probe = [](const char* count) {
        return ssq::history::probedPageCount(
            gbk(std::string("共<strong>") + count + "</strong> 页"));
    };
    EXPECT_EQ(probe("175"), 175);
    EXPECT_EQ(probe("100000"), 100000);
    EXPECT_EQ(probe("100001"), 0);
    EXPECT_EQ(probe("2147483647"), 0);
}

// --- Extraction -----------------------------------------------------------

TEST(ExtractDraws, TwentyFiveMatchesGiveTwoRows) {
    std::string text = firstRow() + secondRow();
    for (int i = 0; i < 5; ++i)
        text += "<p>2016-06-0" + std::to_string(i) + "</p>";
    const auto rows = extractDraws(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], kFirst);
    EXPECT_EQ(rows[1], kSecond);
}

TEST(ExtractDraws, NoCompleteBlockGivesNothing) {
    EXPECT_TRUE(extractDraws("").empty());
    EXPECT_TRUE(extractDraws("no draws here").empty());
    const std::string row = firstRow();
    EXPECT_TRUE(extractDraws(row.substr(0, row.find("<td><strong>"))).empty());
}

TEST(ExtractDraws, CapitalTagsMatchLikeSmallOnes) {
    const std::string text =
        "<TR><TD>2016-05-26</TD><TD>2016060</TD><TD><EM CLASS=\"rr\">04</EM><Em>09</eM>"
        "<EM>15</EM><EM>20</EM><EM>27</EM><EM>33</EM><EM>08</EM></TD>"
        "<TD><STRONG>320,540,202</STRONG></TD></TR>";
    const auto rows = extractDraws(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], kFirst);
}

TEST(ExtractDraws, EmTagAndNumberOnDifferentLines) {
    const std::string text = "2016-05-26\n2016060\n<em\nclass=\"rr\">\n04</em><em>09</em>"
                             "<em>15</em><em>20</em><em\r\n>27</em><em>33</em><em>08</em>"
                             "<td><strong>320,540,\n202</strong></td>";
    const auto rows = extractDraws(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], "04");
    EXPECT_EQ(rows[0][6], "27");
    EXPECT_EQ(rows[0][9], "320,540,\n202");
}

TEST(ExtractDraws, FieldsAreCopiedUnchanged) {
    // Commas, spaces and Chinese characters of the sales cell stay as they are,
    // and only the two digits before </em> are taken from a longer number.
    const std::string sales = gbk(" 3,2 亿");
    const std::string text =
        drawRow("2003-2-3", "2003001", {"1234", "02", "03", "04", "05", "06", "07"}, sales);
    const auto rows = extractDraws(text);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "2003-2-3");
    EXPECT_EQ(rows[0][2], "34");
    EXPECT_EQ(rows[0][9], sales);
}

// Every draw comes out whole or not at all: a match out of place never shifts
// the fields of the draws after it. Stray dates and period numbers outside a
// draw are harmless; a draw broken off marks the page damaged.
TEST(ExtractDraws, MatchesOutOfPlaceNeverShiftTheRows) {
    const std::string first = firstRow(), second = secondRow();
    const std::size_t blue = first.find("<em>08</em>");
    const std::size_t sales = first.find("<td><strong>");
    struct Case {
        const char* name;
        std::string text;
        std::vector<DrawFields> rows;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"well formed", first + second, {kFirst, kSecond}, false},
        {"stray period before", "<p>2016061</p>" + first + second, {kFirst, kSecond}, false},
        {"stray dates before and after",
         "<p>2016-06-01</p>" + first + second + "<p>2016-6-2</p>",
         {kFirst, kSecond},
         false},
        {"blue ball fails to match",
         first.substr(0, blue) + "<i>08</i>" + first.substr(blue + 11) + second,
         {kSecond},
         true},
        {"sales cell fails to match",
         first.substr(0, sales) + "<td>320</td>" + second,
         {kSecond},
         true},
        {"date fails to match",
         "2016/05/26" + first.substr(first.find("</td>")) + second,
         {kSecond},
         true},
        // An "<em" without a number runs on to the next "NN</em>", swallowing
        // the first draw's date and period.
        {"numberless em", "<em>new</em>" + first + second, {kSecond}, true},
        {"draw cut short at the end",
         first + second.substr(0, second.find("<td><strong>")),
         {kFirst},
         true},
    };
    for (const Case& c : cases) {
        const auto read = DrawExtractor().read(c.text);
        EXPECT_EQ(read.rows, c.rows) << c.name;
        EXPECT_EQ(read.damaged, c.damaged) << c.name;
    }
}

TEST(ExtractDraws, AtMostTwoHundredDrawsFromOnePage) {
    std::string text;
    for (std::size_t i = 0; i < ssq::history::kMaxDrawsPerPage; ++i)
        text += firstRow();
    const DrawExtractor extractor;
    const auto full = extractor.read(text);
    EXPECT_EQ(full.rows.size(), ssq::history::kMaxDrawsPerPage);
    EXPECT_FALSE(full.damaged);

    const auto over = extractor.read(text + secondRow() + secondRow());
    ASSERT_EQ(over.rows.size(), ssq::history::kMaxDrawsPerPage);
    EXPECT_EQ(over.rows.back(), kFirst);
    EXPECT_TRUE(over.damaged);
}

TEST(ExtractDraws, ExtractorIsReusable) {
    DrawExtractor extractor;
    const std::string page = firstRow() + secondRow();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(extractor.extract(page).size(), 2u);
    DrawExtractor moved = std::move(extractor);
    EXPECT_EQ(moved.extract(page).size(), 2u);
}

TEST(ExtractDraws, PathologicalTextsNeitherCrashNorLoseEarlierDraws) {
    const std::string draws = firstRow() + secondRow();
    const std::vector<std::string> tails = {
        std::string(20000, '<') + std::string(20000, 'e'),
        [] {
            std::string s;
            for (int i = 0; i < 6000; ++i)
                s += "<em";
            return s;
        }(),
        [] {
            std::string s;
            for (int i = 0; i < 3000; ++i)
                s += "<td><strong>";
            return s;
        }(),
        std::string(50000, '9'),
        std::string(30000, '\0') + "<em>01</em>",
    };
    for (const std::string& tail : tails) {
        const auto rows = extractDraws(draws + tail);
        ASSERT_GE(rows.size(), 2u);
        EXPECT_EQ(rows[0], kFirst);
        EXPECT_EQ(rows[1], kSecond);
    }
}

// --- Same matches as a plain search-all ------------------------------------

using ssq::testing::plainSearchAll;
using ssq::testing::sameDraws;

TEST(ExtractDraws, SameRowsAsPlainSearchAllOnRandomMarkup) {
    // Fragments that begin, end or nearly form every alternative, in every
    // letter case, glued at random. Each text is also tried behind 0-9 stray
    // dates so that its matches meet the grouping at every position of a draw.
    const std::vector<std::string> pieces = {"0",
                                             "7",
                                             "12",
                                             "123",
                                             "2016",
                                             "20160",
                                             "2016060",
                                             "-",
                                             "-0",
                                             "-05-",
                                             "2016-05-26",
                                             "<",
                                             "<e",
                                             "<em",
                                             "<EM",
                                             "<eM class=\"rr\">",
                                             ">",
                                             "</em>",
                                             "</EM>",
                                             "</e",
                                             "<td>",
                                             "<TD><STRONG>",
                                             "<td><strong>",
                                             "</strong>",
                                             "</strong></td>",
                                             "</STRONG></TD>",
                                             "\n",
                                             " ",
                                             "x",
                                             gbk("共"),
                                             "\xB9"};
    std::mt19937 random(20160526);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 80);
    const DrawExtractor extractor;
    for (int round = 0; round < 700; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        std::string prefix;
        for (int k = 0; k < 10; ++k, prefix += "1-1-1 ") {
            const std::string input = prefix + text;
            ASSERT_TRUE(sameDraws(extractor.read(input), plainSearchAll(input)))
                << "text: " << input;
        }
    }
}

// --- Demo pages of the real history ---------------------------------------

// Field texts of a history draw as the page shows them.
DrawFields expectedFields(const ssq::demo::Draw& d) {
    DrawFields f;
    f[0] = d.date;
    f[1] = d.period;
    for (std::size_t i = 0; i < 6; ++i)
        f[2 + i] = ssq::text::twoDigits(d.reds[i]);
    f[8] = ssq::text::twoDigits(d.blue);
    f[9] = d.sales;
    return f;
}

std::string withoutCommas(std::string s) {
    std::erase(s, ',');
    return s;
}

class DemoHistory : public testing::Test {
protected:
    static void SetUpTestSuite() { s_draws = ssq::demo::loadHistory(kHistory); }
    static std::vector<ssq::demo::Draw> s_draws;
};
std::vector<ssq::demo::Draw> DemoHistory::s_draws;

TEST_F(DemoHistory, FileLoadsWithSevenDigitPeriods) {
    ASSERT_EQ(s_draws.size(), 3493u);
    EXPECT_EQ(s_draws.front().period, "2003001");
    EXPECT_EQ(s_draws.front().date, "2003-02-23");
    EXPECT_EQ(s_draws.back().period, "2026096");
}

TEST_F(DemoHistory, OnePageGivesItsTwentyDrawsAndThePageCount) {
    const std::vector<ssq::demo::Draw> newest(s_draws.rbegin(), s_draws.rbegin() + 20);
    const std::string text = decodePage(ssq::demo::renderListPage(newest, 1, 175, 3493));
    EXPECT_EQ(pageCount(text), 175);
    const auto rows = DrawExtractor().extract(text);
    ASSERT_EQ(rows.size(), 20u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        DrawFields got = rows[i];
        EXPECT_NE(got[9].find(','), std::string::npos) << "sales shown with separators";
        got[9] = withoutCommas(got[9]);
        EXPECT_EQ(got, expectedFields(newest[i])) << "row " << i;
    }
}

TEST_F(DemoHistory, FaultyPageBodiesStillGiveTheirDraws) {
    const std::vector<ssq::demo::Draw> newest(s_draws.rbegin(), s_draws.rbegin() + 20);
    using Kind = ssq::demo::PageFault::Kind;
    const std::string copyright =
        ssq::demo::renderListPage(newest, 1, 175, 3493, {Kind::NonGb2312Char, 0});
    ASSERT_NE(copyright.find("©"), std::string::npos);
    EXPECT_EQ(extractDraws(decodePage(copyright)).size(), 20u);
    EXPECT_EQ(pageCount(decodePage(copyright)), 175);

    // 20 draws and 5 stray dates: 205 matches, the last five dropped.
    const std::string extra =
        ssq::demo::renderListPage(newest, 1, 175, 3493, {Kind::ExtraMatches, 5});
    const auto rows = extractDraws(decodePage(extra));
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.back()[1], newest.back().period);
}

TEST_F(DemoHistory, AllPagesGiveTheWholeHistory) {
    const int perPage = 20;
    const int total = static_cast<int>(s_draws.size());
    const int pages = (total + perPage - 1) / perPage;
    ASSERT_EQ(pages, 175);
    const std::vector<ssq::demo::Draw> newestFirst(s_draws.rbegin(), s_draws.rend());
    const DrawExtractor extractor;
    std::vector<DrawFields> all;
    for (int page = 1; page <= pages; ++page) {
        const auto first = newestFirst.begin() + (page - 1) * perPage;
        const auto last = newestFirst.begin() + std::min(page * perPage, total);
        const std::string text =
            decodePage(ssq::demo::renderListPage({first, last}, page, pages, total));
        ASSERT_EQ(pageCount(text), pages) << "page " << page;
        if (page % 25 == 1) {
            ASSERT_TRUE(sameDraws(extractor.read(text), plainSearchAll(text))) << "page " << page;
        }
        for (DrawFields& row : extractor.extract(text))
            all.push_back(std::move(row));
    }
    ASSERT_EQ(all.size(), s_draws.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i][9] = withoutCommas(all[i][9]);
        ASSERT_EQ(all[i], expectedFields(newestFirst[i])) << "draw " << i;
    }
}

} // namespace
