#include "core/zub/ZubFields.h"

namespace vemo {

namespace {

// From the opening quote at `pos` to its closing quote; what follows the closing quote up to the comma
// stays part of the field, so that nothing of the line is lost.
std::string ReadQuotedField(std::string_view body, size_t& pos) {
    std::string field;
    ++pos;
    while (pos < body.size()) {
        const char c = body[pos++];
        if (c != '"') {
            field += c;
        } else if (pos < body.size() && body[pos] == '"') {
            field += '"';
            ++pos;
        } else {
            break;
        }
    }
    while (pos < body.size() && body[pos] != ',') {
        field += body[pos++];
    }
    return field;
}

} // namespace

std::optional<std::vector<std::string>> SplitZubBody(std::string_view body) {
    if (body.empty() || body.back() != ',') {
        return std::nullopt;
    }
    std::vector<std::string> fields;
    size_t pos = 0;
    while (pos < body.size()) {
        if (body[pos] == '"') {
            fields.push_back(ReadQuotedField(body, pos));
        } else {
            const size_t comma = body.find(',', pos);
            fields.emplace_back(body.substr(pos, comma - pos));
            pos = comma;
        }
        if (pos >= body.size()) {
            return std::nullopt; // an unterminated quote swallowed the last comma
        }
        ++pos; // the comma after the field
    }
    return fields;
}

std::string JoinZubFields(const std::vector<std::string>& fields) {
    std::string body;
    for (const std::string& field : fields) {
        if (field.find(',') != std::string::npos || field.starts_with('"')) {
            body += '"';
            for (const char c : field) {
                body += c == '"' ? std::string("\"\"") : std::string(1, c);
            }
            body += '"';
        } else {
            body += field;
        }
        body += ',';
    }
    return body;
}

bool IsZubRecordLetter(std::string_view field) {
    return field.size() == 1 && ((field[0] >= 'A' && field[0] <= 'Z') || (field[0] >= 'a' && field[0] <= 'z'));
}

} // namespace vemo
