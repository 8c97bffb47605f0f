// Fixed-width text slots of the byte images: single-byte Latin-1 text ended by NUL.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text of a slot: its bytes up to the first NUL, never past the slot's end
// (a slot without NUL yields all of its bytes). The result holds Latin-1 bytes.
std::string readTextSlot(const char* slot, std::size_t width);

// Stores Latin-1 text: cut to width - 1 bytes, followed by a NUL. The bytes after
// the NUL keep what they held.
void writeTextSlot(char* slot, std::size_t width, std::string_view latin1);

template <std::size_t N> std::string readText(const char (&slot)[N]) {
    return readTextSlot(slot, N);
}
template <std::size_t N> void writeText(char (&slot)[N], std::string_view latin1) {
    writeTextSlot(slot, N, latin1);
}

// Latin-1 bytes as UTF-8 text.
std::string latin1ToUtf8(std::string_view latin1);
