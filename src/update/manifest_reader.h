#pragma once
// ManifestReader: holds one parsed version manifest and answers attribute
// lookups under a slash-separated element path.
//
// The reader works on code page 936 byte text: element and attribute names are
// compared byte for byte with the program's own names, and values come back as
// the bytes the document holds, with character references decoded into code
// page 936. A manifest arrives as UTF-8; manifestText() turns the server's
// answer into the text load() expects.

#include <memory>
#include <string>
#include <string_view>

namespace ssq::update {

// The answer body as code page 936 text: everything up to the first zero byte,
// converted from UTF-8. Invalid bytes and characters code page 936 lacks come
// out as "?"; the conversion never stops early.
std::string manifestText(std::string_view body);

class ManifestReader {
public:
    ManifestReader();
    ~ManifestReader();
    ManifestReader(ManifestReader&&) noexcept;
    ManifestReader& operator=(ManifestReader&&) noexcept;

    // Parses the text, replacing whatever was held before. A text that is not
    // well-formed XML leaves the reader empty and gives false.
    bool load(std::string_view text);
    void clear();
    bool empty() const;

    // The value of attribute `name` of the element at `path` ("root/child/...":
    // the first segment must name the document's root element, each further
    // segment the first child element of that name). The five standard
    // entities and numeric character references are decoded. Empty when the
    // document, an element of the path or the attribute is missing.
    std::string attribute(std::string_view path, std::string_view name) const;

private:
    struct Document;
    std::unique_ptr<Document> m_doc;
};

// Decodes &lt; &gt; &amp; &apos; &quot; and &#N; / &#xN; (as code page 936, "?"
// for a character it lacks) in raw attribute text; anything else after "&" is
// kept as written.
std::string decodeEntities(std::string_view raw);

} // namespace ssq::update
