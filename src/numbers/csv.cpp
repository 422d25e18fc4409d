#include "numbers/csv.h"

namespace ssq::numbers {

std::string csvRecord(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            out += field;
            continue;
        }
        out.push_back('"');
        for (char c : field) {
            if (c == '"')
                out.push_back('"');
            out.push_back(c);
        }
        out.push_back('"');
    }
    out += "\r\n";
    return out;
}

std::vector<std::vector<std::string>> parseCsv(std::string_view text) {
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    auto endRecord = [&] {
        if (fieldStarted || !record.empty()) {
            record.push_back(std::move(field));
            records.push_back(std::move(record));
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
            fieldStarted = true;
        } else if (c == '\n') {
            endRecord();
        } else if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                endRecord();
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    endRecord();
    return records;
}

} // namespace ssq::numbers
