// What the fuzz targets share: a check that stops the run with the property that
// failed, a strict JSON syntax check for what tavik-cli prints, and the splitting of
// an input into the texts a target feeds its parser.
#pragma once

#include "model/safetext.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Stops the run when a property does not hold; libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

inline std::string_view asText(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The text cut at each separator; always at least one part.
inline std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    while (true) {
        const std::size_t end = text.find(separator);
        parts.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

// The JSON check looks at what the code under test made and is not itself fuzzed: it
// is left out of the coverage the fuzzer steers by, which also spares it the time.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("coverage"))), apply_to = function)
#endif

// A strict reader of one JSON value: the syntax of RFC 8259 with strings of valid
// UTF-8 and no raw control characters. Nesting is limited, as our output is shallow.
class JsonChecker {
  public:
    explicit JsonChecker(std::string_view text) : text_(text) {}

    // The whole text is one value, optionally followed by one line feed.
    bool valid() {
        if (!value(0))
            return false;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        return pos_ == text_.size();
    }

  private:
    void blanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n'))
            ++pos_;
    }
    bool take(char c) {
        blanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }
    bool value(int depth) {
        if (depth > 16)
            return false;
        blanks();
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (c == '{')
            return object(depth);
        if (c == '[')
            return array(depth);
        if (c == '"')
            return string();
        if (c == 'n')
            return literal("null");
        if (c == 't')
            return literal("true");
        if (c == 'f')
            return literal("false");
        return number();
    }
    bool object(int depth) {
        ++pos_;
        if (take('}'))
            return true;
        do {
            blanks();
            if (!string() || !take(':') || !value(depth + 1))
                return false;
        } while (take(','));
        return take('}');
    }
    bool array(int depth) {
        ++pos_;
        if (take(']'))
            return true;
        do {
            if (!value(depth + 1))
                return false;
        } while (take(','));
        return take(']');
    }
    bool digits() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        return pos_ > start;
    }
    bool number() {
        if (pos_ < text_.size() && text_[pos_] == '-')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '0')
            ++pos_;
        else if (!digits())
            return false;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits())
                return false;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            if (!digits())
                return false;
        }
        return true;
    }
    bool string() {
        if (pos_ >= text_.size() || text_[pos_] != '"')
            return false;
        ++pos_;
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (!escape())
                    return false;
            } else if (c >= 0x80) {
                if (!utf8())
                    return false;
            } else {
                ++pos_;
            }
        }
        return false;
    }
    bool escape() {
        ++pos_;
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_++];
        if (std::string_view("\"\\/bfnrt").find(c) != std::string_view::npos)
            return true;
        if (c != 'u' || pos_ + 4 > text_.size())
            return false;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[pos_++];
            const bool hex =
                (h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F');
            if (!hex)
                return false;
        }
        return true;
    }
    bool utf8() {
        const std::size_t length = ::utf8Length(text_, pos_);
        pos_ += length;
        return length != 0;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

inline bool isValidJson(std::string_view text) {
    return JsonChecker(text).valid();
}

#if defined(__clang__)
#pragma clang attribute pop
#endif

} // namespace fuzz
