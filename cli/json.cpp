#include "cli/json.h"

#include "model/numbers.h"
#include "model/textslot.h"

#include <cstdio>

void JsonWriter::separate() {
    if (needComma_)
        out_ += ", ";
    needComma_ = false;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    ++depth_;
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    --depth_;
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    ++depth_;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    --depth_;
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    quoted(name);
    out_ += ": ";
    return *this;
}

JsonWriter& JsonWriter::value(long long number) {
    separate();
    out_ += formatInt(number);
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(float number) {
    separate();
    out_ += shortestFloat(number);
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::latin1(std::string_view text) {
    return utf8(latin1ToUtf8(text));
}

JsonWriter& JsonWriter::utf8(std::string_view text) {
    separate();
    quoted(text);
    needComma_ = true;
    return *this;
}

void JsonWriter::quoted(std::string_view text) {
    out_ += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\r':
            out_ += "\\r";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out_ += escaped;
            } else {
                out_ += ch;
            }
        }
    }
    out_ += '"';
}
