// The three live result formats, rendered from the same draw history as the
// list pages: the zhcw JSON service, the welfare-lottery centre's JSON service
// and the plain-text history file.

#include "demo_server.h"

#include <cstdio>

namespace ssq::demo {
namespace {

std::string joined(const std::array<int, 6>& reds, char separator) {
    std::string out;
    for (int r : reds) {
        if (!out.empty())
            out.push_back(separator);
        out += twoDigits(r);
    }
    return out;
}

// The reds in a drawing order made up from the draw (stable for one period).
std::array<int, 6> drawingOrder(const Draw& d) {
    std::array<int, 6> reds = d.reds;
    const std::size_t shift = static_cast<std::size_t>(d.period.back() - '0') % 6;
    std::array<int, 6> out{};
    for (std::size_t i = 0; i < 6; ++i)
        out[i] = reds[(i + shift) % 6];
    return out;
}

const char* weekdayOf(const std::string& date) {
    // Sakamoto's rule; the date is "YYYY-MM-DD" from the history file.
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    static const char* const names[] = {"日", "一", "二", "三", "四", "五", "六"};
    if (date.size() < 10)
        return names[0];
    int y = std::stoi(date.substr(0, 4));
    const int m = std::stoi(date.substr(5, 2)), dd = std::stoi(date.substr(8, 2));
    if (m < 1 || m > 12)
        return names[0];
    if (m < 3)
        --y;
    return names[(y + y / 4 - y / 100 + y / 400 + t[m - 1] + dd) % 7];
}

std::string orZero(const std::string& amount) {
    return amount.empty() ? "0" : amount;
}

} // namespace

std::string renderZhcwPage(const std::vector<Draw>& pageDraws, int pageNum, int pageSize,
                           int total) {
    const int pages = pageSize > 0 ? (total + pageSize - 1) / pageSize : 0;
    std::string out = "{\"resCode\":\"000000\",\"resCodeMsg\":\"\",\"pageNum\":\"" +
                      std::to_string(pageNum) + "\",\"pageSize\":\"" + std::to_string(pageSize) +
                      "\",\"total\":\"" + std::to_string(total) + "\",\"pages\":\"" +
                      std::to_string(pages) + "\",\"data\":[";
    bool first = true;
    for (const Draw& d : pageDraws) {
        out += first ? "" : ",";
        first = false;
        out += "{\"issue\":\"" + d.period + "\",\"openTime\":\"" + d.date +
               "\",\"frontWinningNum\":\"" + joined(d.reds, ' ') + "\",\"seqFrontWinningNum\":\"" +
               joined(drawingOrder(d), ' ') + "\",\"backWinningNum\":\"" + twoDigits(d.blue) +
               "\",\"seqBackWinningNum\":\"" + twoDigits(d.blue) + "\",\"saleMoney\":\"" + d.sales +
               "\",\"prizePoolMoney\":\"" + d.pool + "\",\"week\":\"星期" + weekdayOf(d.date) +
               "\",\"winnerDetails\":[{\"awardEtc\":\"1\",\"baseBetWinner\":{\"awardNum\":\"3\","
               "\"awardMoney\":\"6000000\"}}]}";
    }
    return out + "]}";
}

std::string renderZhcwError(const std::string& code, const std::string& message) {
    return "{\"resCode\":\"" + code + "\",\"resCodeMsg\":\"" + message +
           "\",\"pageNum\":null,\"pageSize\":null,\"total\":null,\"pages\":null,\"data\":null}";
}

std::string renderCwlPage(const std::vector<Draw>& pageDraws, int pageSize, int total) {
    const int pages = pageSize > 0 ? (total + pageSize - 1) / pageSize : 0;
    std::string out = "{\"state\":0,\"message\":\"查询成功\",\"total\":" + std::to_string(total) +
                      ",\"pageNum\":" + std::to_string(pages) +
                      ",\"pageNo\":0,\"pageSize\":" + std::to_string(pageSize) +
                      ",\"pageCount\":" + std::to_string(pages) + ",\"result\":[";
    bool first = true;
    for (const Draw& d : pageDraws) {
        out += first ? "" : ",";
        first = false;
        out += "{\"name\":\"双色球\",\"code\":\"" + d.period +
               "\",\"detailsLink\":\"\","
               "\"date\":\"" +
               d.date + "(" + weekdayOf(d.date) + ")\",\"week\":\"" + weekdayOf(d.date) +
               "\",\"red\":\"" + joined(d.reds, ',') + "\",\"blue\":\"" + twoDigits(d.blue) +
               "\",\"sales\":\"" + d.sales + "\",\"poolmoney\":\"" + d.pool +
               "\",\"content\":\"\",\"prizegrades\":[{\"type\":1,\"typenum\":\"3\","
               "\"typemoney\":\"6000000\"},{\"type\":7,\"typenum\":\"_\",\"typemoney\":\"_\"}]}";
    }
    return out + "]}";
}

std::string renderCwlError(const std::string& message) {
    return "{\"state\":1,\"message\":\"" + message + "\",\"result\":[]}";
}

std::string renderTextHistory(const std::vector<Draw>& oldestFirst) {
    std::string out;
    out.reserve(oldestFirst.size() * 130);
    for (const Draw& d : oldestFirst) {
        out += d.period + " " + d.date + " " + joined(d.reds, ' ') + " " + twoDigits(d.blue) + " " +
               joined(drawingOrder(d), ' ') + " " + orZero(d.sales) + " " + orZero(d.pool) +
               " 3 6000000 100 200000 1000 3000 50000 200 900000 10 8000000 5\n";
    }
    return out;
}

} // namespace ssq::demo
