#include "model/safetext.h"

#include "model/textslot.h"

#include <cstdio>

namespace {

void appendEscape(std::string& out, const char* format, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    out += text;
}

} // namespace

// Lead byte, then the range the second byte must fall in and the continuation bytes.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

std::string quotedPath(std::string_view path) {
    std::string out = "\"";
    for (std::size_t i = 0; i < path.size();) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            appendEscape(out, "\\x%02x", c);
        } else if (c < 0x80) {
            out += path[i];
        } else if (const std::size_t length = utf8Length(path, i); length == 0) {
            appendEscape(out, "\\x%02x", c);
        } else {
            const auto second = static_cast<unsigned char>(path[i + 1]);
            if (c == 0xC2 && second < 0xA0)
                appendEscape(out, "\\u%04x", second); // a C1 control, such as CSI
            else
                out.append(path.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out + "\"";
}

std::string utf8FileName(std::string_view name) {
    std::string text;
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const std::size_t length = byte < 0x80 ? 1 : utf8Length(name, i);
        if (length == 0) {
            text += latin1ToUtf8(name.substr(i, 1));
            ++i;
            continue;
        }
        text += name.substr(i, length);
        i += length;
    }
    return text;
}
