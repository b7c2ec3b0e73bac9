#include "JsonLine.h"

namespace corvane::JsonLine {

std::optional<simdjson::dom::object> parseObject(std::string_view line, bool padded) {
    // One parser per thread: its buffers are reused from line to line, and the watcher's reads
    // run on several threads at once.
    thread_local simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(line.data(), line.size(), !padded).get(root) != simdjson::SUCCESS) return std::nullopt;
    simdjson::dom::object object;
    if (root.get_object().get(object) != simdjson::SUCCESS) return std::nullopt;
    return object;
}

std::optional<std::string_view> stringMember(const simdjson::dom::object& object, std::string_view key) {
    std::string_view text;
    if (object.at_key(key).get_string().get(text) != simdjson::SUCCESS) return std::nullopt;
    return text;
}

std::optional<simdjson::dom::object> objectMember(const simdjson::dom::object& object, std::string_view key) {
    simdjson::dom::object member;
    if (object.at_key(key).get_object().get(member) != simdjson::SUCCESS) return std::nullopt;
    return member;
}

} // namespace corvane::JsonLine
