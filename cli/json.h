// The command line's JSON output: a document built member by member as its commands compute it,
// then written in the program's one JSON form (calculation/jsontext.h) when its outermost
// object or array closes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "calculation/jsontext.h"

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
    // A value built elsewhere (a part of a calculation file, say).
    JsonWriter& value(const Json& v) { return put(v); }

    template <typename T>
    JsonWriter& field(std::string_view k, const T& v) {
        key(k);
        return value(v);
    }

private:
    JsonWriter& put(Json v);
    JsonWriter& open(Json container);
    JsonWriter& close();

    std::ostream& out_;
    Json root_;
    std::vector<Json*> open_;  // the containers being filled, outermost first
    std::string key_;
};

using tundrix::jsonNumber;

}  // namespace tundrix::cli
