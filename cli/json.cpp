#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tundrix::cli {

std::string jsonNumber(double d) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.back()) out_ << ',';
    first_.back() = false;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ << '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    first_.pop_back();
    out_ << '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ << '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    first_.pop_back();
    out_ << ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
    separate();
    writeString(k);
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    separate();
    writeString(s);
    return *this;
}

void JsonWriter::writeString(std::string_view s) {
    out_ << '"';
    for (const char c : s) {
        switch (c) {
            case '"': out_ << "\\\""; break;
            case '\\': out_ << "\\\\"; break;
            case '\n': out_ << "\\n"; break;
            case '\r': out_ << "\\r"; break;
            case '\t': out_ << "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
                    out_ << buf;
                } else {
                    out_ << c;
                }
        }
    }
    out_ << '"';
}

JsonWriter& JsonWriter::value(double d) {
    separate();
    if (std::isfinite(d))
        out_ << jsonNumber(d);
    else
        out_ << "null";
    return *this;
}

JsonWriter& JsonWriter::value(int i) {
    separate();
    out_ << i;
    return *this;
}

JsonWriter& JsonWriter::value(bool b) {
    separate();
    out_ << (b ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ << "null";
    return *this;
}

}  // namespace tundrix::cli
