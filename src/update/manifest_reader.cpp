#include "update/manifest_reader.h"

#include "text/codec.h"

#include <pugixml.hpp>

#include <cstdint>

namespace ssq::update {

std::string manifestText(std::string_view body) {
    const auto zero = body.find('\0');
    if (zero != std::string_view::npos)
        body = body.substr(0, zero);
    return text::utf8To(text::Charset::Gbk, body);
}

struct ManifestReader::Document {
    pugi::xml_document xml;
};

ManifestReader::ManifestReader() = default;
ManifestReader::~ManifestReader() = default;
ManifestReader::ManifestReader(ManifestReader&&) noexcept = default;
ManifestReader& ManifestReader::operator=(ManifestReader&&) noexcept = default;

bool ManifestReader::load(std::string_view text) {
    m_doc.reset();
    auto doc = std::make_unique<Document>();
    // The text is code page 936, which pugixml does not know. Declaring it
    // UTF-8 keeps every byte as it is (no conversion happens for UTF-8 input),
    // and no GBK trail byte (0x40..0xFE) is one of XML's delimiters. Entities
    // are decoded by us so that numeric references come out as GBK, not UTF-8.
    const unsigned options = pugi::parse_default & ~pugi::parse_escapes;
    const pugi::xml_parse_result result =
        doc->xml.load_buffer(text.data(), text.size(), options, pugi::encoding_utf8);
    if (!result)
        return false;
    m_doc = std::move(doc);
    return true;
}

void ManifestReader::clear() {
    m_doc.reset();
}

bool ManifestReader::empty() const {
    return !m_doc;
}

std::string ManifestReader::attribute(std::string_view path, std::string_view name) const {
    if (!m_doc)
        return {};
    pugi::xml_node node;
    bool first = true;
    while (true) {
        const auto slash = path.find('/');
        const std::string segment(path.substr(0, slash));
        if (first) {
            node = m_doc->xml.document_element();
            if (!node || segment != node.name())
                return {};
            first = false;
        } else {
            node = node.child(segment.c_str());
            if (!node)
                return {};
        }
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (name == a.name())
            return decodeEntities(a.value());
    }
    return {};
}

namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The longest reference read: "&", "#x" and eight digits, ";".
constexpr std::size_t kLongestReference = 12;

// A numeric reference body ("#123" or "#x7B"); false when it is not one XML allows.
bool parseCharRef(std::string_view body, std::uint32_t& cp) {
    if (body.size() < 2 || body[0] != '#')
        return false;
    body.remove_prefix(1);
    int base = 10;
    if (body[0] == 'x') {
        base = 16;
        body.remove_prefix(1);
    }
    if (body.empty() || body.size() > 8)
        return false;
    std::uint32_t value = 0;
    for (char c : body) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    cp = value;
    return true;
}

} // namespace

std::string decodeEntities(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    // '&' and ';' are below 0x40, so they never sit inside a GBK double-byte character.
    while (!raw.empty()) {
        const auto amp = raw.find('&');
        out.append(raw.substr(0, amp));
        if (amp == std::string_view::npos)
            break;
        raw.remove_prefix(amp);
        // Looking no further than the longest reference for its ";" keeps
        // decoding linear however many "&" stand without one.
        const auto semi = raw.substr(0, kLongestReference).find(';');
        const std::string_view body =
            semi == std::string_view::npos ? std::string_view{} : raw.substr(1, semi - 1);
        std::uint32_t cp = 0;
        if (body == "lt")
            out.push_back('<');
        else if (body == "gt")
            out.push_back('>');
        else if (body == "amp")
            out.push_back('&');
        else if (body == "apos")
            out.push_back('\'');
        else if (body == "quot")
            out.push_back('"');
        else if (parseCharRef(body, cp)) {
            if (cp < 0x80) {
                out.push_back(static_cast<char>(cp));
            } else {
                std::string utf8;
                appendUtf8(utf8, cp);
                out += text::utf8To(text::Charset::Gbk, utf8);
            }
        } else {
            out.push_back('&');
            raw.remove_prefix(1);
            continue;
        }
        raw.remove_prefix(semi + 1);
    }
    return out;
}

} // namespace ssq::update
