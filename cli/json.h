// A small JSON writer for tavik-cli. Texts held as Latin-1 bytes are decoded to
// UTF-8; floats are written as the shortest decimal that reads back the same.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // A member's name: always one of the program's own, plain ASCII that needs no
    // escape, so it is written as it is.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(long long number);
    JsonWriter& value(float number);
    JsonWriter& latin1(std::string_view text);
    JsonWriter& utf8(std::string_view text);

    const std::string& text() const { return out_; }

  private:
    void separate();
    void quoted(std::string_view utf8Text);

    std::string out_;
    bool needComma_ = false;
    int depth_ = 0;
};
