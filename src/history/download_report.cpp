#include "history/download_report.h"

#include "text/codec.h"

namespace ssq::history {
namespace {

std::string reason(PageFailure why, long status) {
    switch (why) {
    case PageFailure::NoAnswer:
        return "无法连接或超时";
    case PageFailure::Status:
        return "服务器答复 " + std::to_string(status);
    case PageFailure::TooLarge:
        return "页面过大";
    case PageFailure::Redirects:
        return "重定向过多";
    case PageFailure::NoDraws:
        return "没有开奖数据";
    case PageFailure::Damaged:
        return "数据损坏";
    }
    return {};
}

} // namespace

void DownloadReport::pageRead(std::size_t draws) {
    m_barrenInARow = draws == 0 ? m_barrenInARow + 1 : 0;
}

void DownloadReport::pageFailed(std::int32_t page, std::size_t draws, PageFailure why,
                                long status) {
    m_failed.push_back({page, why, status});
    pageRead(draws);
}

std::string DownloadReport::hintText(std::int32_t totalDraws) const {
    std::string text = "提示：已读取 " + std::to_string(totalDraws) + " 期，" +
                       std::to_string(m_failed.size()) + " 页读取失败";
    text += exhausted() ? "，已停止！" : "！";
    return text::gbk(text);
}

std::string DownloadReport::failureList() const {
    std::string text = "以下页面读取失败：";
    for (std::size_t i = 0; i < m_failed.size() && i < kListedPages; ++i)
        text += "\n第 " + std::to_string(m_failed[i].page) + " 页：" +
                reason(m_failed[i].why, m_failed[i].status);
    if (m_failed.size() > kListedPages)
        text += "\n……共 " + std::to_string(m_failed.size()) + " 页";
    if (exhausted())
        text += "\n连续 " + std::to_string(kMaxBarrenPages) + " 页没有开奖数据，读取已停止。";
    return text::gbk(text);
}

} // namespace ssq::history
