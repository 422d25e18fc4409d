#include "numbers/ticket.h"

#include "numbers/draw.h"

#include <algorithm>

namespace ssq::numbers {
namespace {

struct Token {
    std::string text;
    bool plus = false;
};

// Separators and plus signs that are more than one byte in UTF-8.
constexpr std::string_view kWideSeparators[] = {"，", "、", "　"};
constexpr std::string_view kWidePlus = "＋";

// Splits a line into number texts and plus signs, or names the first
// character that is neither.
std::vector<Token> tokenize(std::string_view line, std::string& error) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    auto startsWithAt = [&](std::string_view what) { return line.substr(i).starts_with(what); };
    while (i < line.size() && error.empty()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '+' || c == '|') {
            tokens.push_back({"+", true});
            ++i;
        } else if (startsWithAt(kWidePlus)) {
            tokens.push_back({"+", true});
            i += kWidePlus.size();
        } else if (c >= '0' && c <= '9') {
            std::size_t end = i;
            while (end < line.size() && line[end] >= '0' && line[end] <= '9')
                ++end;
            tokens.push_back({std::string(line.substr(i, end - i)), false});
            i = end;
        } else {
            const auto wide =
                std::find_if(std::begin(kWideSeparators), std::end(kWideSeparators), startsWithAt);
            if (wide != std::end(kWideSeparators)) {
                i += wide->size();
                continue;
            }
            // Name the whole UTF-8 character, not one byte of it.
            std::size_t length = 1;
            while (i + length < line.size() && (line[i + length] & 0xC0) == 0x80)
                ++length;
            error = "无法识别的字符“" + std::string(line.substr(i, length)) + "”";
        }
    }
    return tokens;
}

// Reads the numbers of one side; empty error when all are in 1..highest and
// none repeats.
std::vector<int> readSide(const std::vector<Token>& tokens, std::string_view side, int highest,
                          std::string& error) {
    std::vector<int> numbers;
    for (const Token& t : tokens) {
        const std::optional<int> n = smallNumber(t.text);
        if (!n) {
            error = "“" + t.text + "”不是一两位数字";
            return {};
        }
        if (*n < 1 || *n > highest) {
            error = std::string(side) + " " + t.text + " 超出 1–" + std::to_string(highest);
            return {};
        }
        if (std::find(numbers.begin(), numbers.end(), *n) != numbers.end()) {
            error = std::string(side) + " " + twoDigits(*n) + " 重复";
            return {};
        }
        numbers.push_back(*n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

TicketLine parseTicket(std::string_view line) {
    TicketLine result;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    result.text = std::string(line);
    std::vector<Token> tokens = tokenize(line, result.error);
    if (!result.ok())
        return result;
    const auto plus =
        std::find_if(tokens.begin(), tokens.end(), [](const Token& t) { return t.plus; });
    std::vector<Token> reds(tokens.begin(), plus);
    std::vector<Token> blues;
    if (plus != tokens.end()) {
        blues.assign(plus + 1, tokens.end());
        if (std::any_of(blues.begin(), blues.end(), [](const Token& t) { return t.plus; })) {
            result.error = "“+”只能有一个";
            return result;
        }
    } else if (reds.size() == 7) {
        blues.push_back(reds.back());
        reds.pop_back();
    } else {
        result.error = "没有“+”时须是 6 个红球加 1 个蓝球，复式请用“+”分开红球和蓝球";
        return result;
    }
    if (reds.size() < 6) {
        result.error = "红球不足 6 个";
        return result;
    }
    if (reds.size() > kMaxTicketReds) {
        result.error = "红球超过 20 个";
        return result;
    }
    if (blues.empty()) {
        result.error = "缺少蓝球";
        return result;
    }
    result.ticket.reds = readSide(reds, "红球", kRedNumbers, result.error);
    if (result.ok())
        result.ticket.blues = readSide(blues, "蓝球", kBlueNumbers, result.error);
    if (!result.ok())
        result.ticket = {};
    return result;
}

std::vector<TicketLine> parseTickets(std::string_view text) {
    std::vector<TicketLine> lines;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.find_first_not_of(" \t\r") == std::string_view::npos)
            continue;
        TicketLine parsed = parseTicket(line);
        parsed.lineNumber = number;
        lines.push_back(std::move(parsed));
    }
    return lines;
}

std::string ticketText(const Ticket& ticket) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict, its
    // bug 105651) about " " + string.
    std::string out;
    for (int red : ticket.reds) {
        out += twoDigits(red);
        out += ' ';
    }
    out += '+';
    for (int blue : ticket.blues) {
        out += ' ';
        out += twoDigits(blue);
    }
    return out;
}

} // namespace ssq::numbers
