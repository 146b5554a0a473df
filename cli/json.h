// A small streaming JSON writer for tundrix-cli: objects, arrays, strings (UTF-8, escaped),
// numbers at full precision with "." and null for values that are not finite.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tundrix::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view k);

    JsonWriter& value(std::string_view s);
    JsonWriter& value(const char* s) { return value(std::string_view(s)); }
    JsonWriter& value(const std::string& s) { return value(std::string_view(s)); }
    JsonWriter& value(double d);  // null when not finite
    JsonWriter& value(int i);
    JsonWriter& value(bool b);
    JsonWriter& null();

    template <typename T>
    JsonWriter& field(std::string_view k, const T& v) {
        key(k);
        return value(v);
    }

private:
    void separate();
    void writeString(std::string_view s);
    std::ostream& out_;
    std::vector<bool> first_{true};  // one entry per open container
    bool afterKey_ = false;
};

// Shortest text that reads back as the same double ("%.17g" trimmed), "." as decimal point.
std::string jsonNumber(double d);

}  // namespace tundrix::cli
