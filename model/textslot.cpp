#include "model/textslot.h"

#include <algorithm>
#include <cstring>

std::string readTextSlot(const char* slot, std::size_t width) {
    const auto* end = static_cast<const char*>(std::memchr(slot, '\0', width));
    return std::string(slot, end ? static_cast<std::size_t>(end - slot) : width);
}

void writeTextSlot(char* slot, std::size_t width, std::string_view latin1) {
    if (width == 0)
        return;
    const std::size_t n = std::min(latin1.size(), width - 1);
    std::memcpy(slot, latin1.data(), n);
    slot[n] = '\0';
}

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() * 2);
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        bool wellFormed = length > 0 && i + length <= utf8.size();
        unsigned code = length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; wellFormed && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            wellFormed = (cont & 0xC0) == 0x80;
            code = (code << 6) | (cont & 0x3F);
        }
        if (!wellFormed) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        out += code <= 0xFF ? static_cast<char>(code) : '?';
        i += static_cast<std::size_t>(length);
    }
    return out;
}
