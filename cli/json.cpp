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
    out_ += '"';
    out_ += name;
    out_ += "\": ";
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
    // Runs of characters that need no escape go in whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out_.append(text.substr(run, i - run));
        run = i + 1;
        switch (c) {
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
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out_ += escaped;
        }
        }
    }
    out_.append(text.substr(run));
    out_ += '"';
}
