// The list pages in the results server's markup, and the history file they are
// made from.

#include "demo_server.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace ssq::demo {

namespace {

// "320540202" -> "320,540,202", as the results server writes amounts. The
// separators also keep long amounts from reading as seven-digit periods.
std::string groupThousands(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

bool allDigits(const std::string& s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::vector<std::string> splitCsvLine(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
        if (c == ',') {
            cells.push_back(cell);
            cell.clear();
        } else if (c != '\r' && c != '"' && c != ' ') {
            cell.push_back(c);
        }
    }
    cells.push_back(cell);
    return cells;
}

// Prize counts are not in the history file; the page shows stable made-up ones.
unsigned mix(const std::string& period) {
    unsigned h = 2166136261u;
    for (char c : period)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

const char* const kHead =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
    "<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
    "<title>双色球开奖结果_中彩网</title>\n"
    "<link href=\"/css/kj.css\" rel=\"stylesheet\" type=\"text/css\" />\n"
    "</head>\n"
    "<body>\n"
    "<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\" class=\"wqhgt\">\n"
    "  <tr>\n"
    "    <td rowspan=\"2\" align=\"center\">开奖日期</td>\n"
    "    <td rowspan=\"2\" align=\"center\">期号</td>\n"
    "    <td rowspan=\"2\" align=\"center\">中奖号码</td>\n"
    "    <td rowspan=\"2\" align=\"center\">销售额(元)</td>\n"
    "    <td colspan=\"2\" align=\"center\">中奖注数</td>\n"
    "    <td rowspan=\"2\" align=\"center\">详细</td>\n"
    "  </tr>\n"
    "  <tr>\n"
    "    <td align=\"center\">一等奖</td>\n"
    "    <td align=\"center\">二等奖</td>\n"
    "  </tr>\n";

void appendDrawRow(std::string& out, const Draw& d) {
    const unsigned h = mix(d.period);
    out += "  <tr>\n";
    out += "    <td align=\"center\">" + d.date + "</td>\n";
    out += "    <td align=\"center\">" + d.period + "</td>\n";
    out += "    <td align=\"center\" style=\"padding-left:10px;\">\n";
    for (int red : d.reds)
        out += "      <em class=\"rr\">" + twoDigits(red) + "</em>\n";
    out += "      <em>" + twoDigits(d.blue) + "</em></td>\n";
    out += "    <td><strong>" + groupThousands(d.sales) + "</strong></td>\n";
    out += "    <td align=\"left\" style=\"color:#999;\"><strong>" + std::to_string(h % 23) +
           "</strong>\n";
    out += "      (奖池 " + (d.pool.empty() ? std::string("0") : groupThousands(d.pool)) +
           " 元)</td>\n";
    out += "    <td align=\"center\"><strong class=\"rc\">" + std::to_string(40 + (h >> 8) % 300) +
           "</strong></td>\n";
    out += "    <td align=\"center\"><a href=\"/ssq/video/\" target=\"_blank\">"
           "<img src=\"/images/tv.gif\" width=\"16\" height=\"16\" align=\"absmiddle\" "
           "title=\"开奖视频\" /></a>\n"
           "      <a href=\"/ssq/kjgg/\" target=\"_blank\"><img src=\"/images/gg.gif\" "
           "width=\"16\" height=\"16\" align=\"absmiddle\" title=\"开奖公告\" /></a></td>\n";
    out += "  </tr>\n";
}

std::string pageLink(int page, const char* label) {
    return "<strong><a href=\"/zhcw/html/ssq/list_" + std::to_string(page) + ".html\">" + label +
           "</a></strong>";
}

} // namespace

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::vector<Draw> loadHistory(const std::string& csvPath) {
    std::vector<Draw> draws;
    std::ifstream in(csvPath, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> c = splitCsvLine(line);
        if (c.size() < 11 || !allDigits(c[0]))
            continue; // the header, or a damaged line
        Draw d;
        // Issues are written as two year digits and three of the draw ("03001");
        // the results server shows them as seven-digit periods ("2003001").
        d.period = c[0].size() == 5 ? "20" + c[0] : c[0];
        d.date = c[1];
        bool ok = allDigits(c[8]) && allDigits(c[9]);
        for (std::size_t i = 0; i < 6; ++i) {
            ok = ok && allDigits(c[2 + i]);
            if (ok)
                d.reds[i] = std::stoi(c[2 + i]);
        }
        if (!ok)
            continue;
        d.blue = std::stoi(c[8]);
        d.sales = c[9];
        d.pool = allDigits(c[10]) ? c[10] : std::string();
        draws.push_back(std::move(d));
    }
    return draws;
}

std::string renderListPage(const std::vector<Draw>& pageDraws, int page, int pageCount,
                           int totalDraws) {
    return renderListPage(pageDraws, page, pageCount, totalDraws, PageFault{});
}

std::string renderListPage(const std::vector<Draw>& pageDraws, int page, int pageCount,
                           int totalDraws, const PageFault& fault) {
    std::string out;
    out.reserve(1200 + pageDraws.size() * 900);
    out += kHead;
    for (const Draw& d : pageDraws)
        appendDrawRow(out, d);

    // The pager: "共<strong>N</strong> 页" must come before any other 共 or 页
    // of the page, since readers take the count from between the first of each.
    out += "  <tr>\n    <td colspan=\"7\" align=\"center\"><p class=\"pg\"> 共<strong>" +
           std::to_string(pageCount) + "</strong> 页 /<strong>" + std::to_string(totalDraws) +
           " </strong>条记录 ";
    out += pageLink(1, "首页") + " ";
    if (page > 1)
        out += pageLink(page - 1, "上一页") + " ";
    if (page < pageCount)
        out += pageLink(page + 1, "下一页") + " ";
    out += pageLink(pageCount > 0 ? pageCount : 1, "末页");
    out += " 当前第<strong> " + std::to_string(page) + " </strong>页</p></td>\n  </tr>\n";
    out += "</table>\n";

    if (fault.kind == PageFault::Kind::ExtraMatches) {
        // Stray dates after the draws: each is one more match of the pattern.
        const std::string date = pageDraws.empty() ? "2003-02-23" : pageDraws.front().date;
        for (int i = 0; i < fault.extra; ++i)
            out += "<div class=\"upd\">更新 " + date + "</div>\n";
    }
    out += "<div class=\"ft\">版权所有";
    if (fault.kind == PageFault::Kind::NonGb2312Char)
        out += " ©"; // U+00A9 has no GB2312 code
    out += " 中彩网</div>\n</body>\n</html>\n";
    return out;
}

} // namespace ssq::demo
