#include "cli/json.h"

namespace tundrix::cli {

JsonWriter& JsonWriter::put(Json v) {
    if (open_.empty()) {
        writeJson(out_, v);
        return *this;
    }
    Json& parent = *open_.back();
    if (parent.is_object())
        parent[key_] = std::move(v);
    else
        parent.push_back(std::move(v));
    return *this;
}

JsonWriter& JsonWriter::open(Json container) {
    if (open_.empty()) {
        root_ = std::move(container);
        open_.push_back(&root_);
        return *this;
    }
    Json& parent = *open_.back();
    // Only the path to the container being filled is held; its parent gets no new member until it
    // is closed, so the pointers stay valid.
    if (parent.is_object()) {
        parent[key_] = std::move(container);
        open_.push_back(&parent[key_]);
    } else {
        parent.push_back(std::move(container));
        open_.push_back(&parent.back());
    }
    return *this;
}

JsonWriter& JsonWriter::close() {
    open_.pop_back();
    if (open_.empty())
        writeJson(out_, root_);
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return open(Json::object());
}

JsonWriter& JsonWriter::endObject() {
    return close();
}

JsonWriter& JsonWriter::beginArray() {
    return open(Json::array());
}

JsonWriter& JsonWriter::endArray() {
    return close();
}

JsonWriter& JsonWriter::key(std::string_view k) {
    key_ = std::string(k);
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    return put(Json(std::string(s)));
}

JsonWriter& JsonWriter::value(double d) {
    return put(Json(d));
}

JsonWriter& JsonWriter::value(int i) {
    return put(Json(i));
}

JsonWriter& JsonWriter::value(bool b) {
    return put(Json(b));
}

JsonWriter& JsonWriter::null() {
    return put(Json(nullptr));
}

}  // namespace tundrix::cli
