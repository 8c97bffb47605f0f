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
