#include "JsonLine.h"

namespace corvane::JsonLine {

namespace {

/// Documents up to this size leave the thread's buffers in place for the next line.
constexpr std::size_t keptCapacity = 65536;

// One parser per thread: its buffers are reused from line to line, and the watcher's reads run
// on several threads at once.
simdjson::dom::parser& threadParser() {
    thread_local simdjson::dom::parser parser;
    return parser;
}

} // namespace

std::optional<simdjson::dom::object> parseObject(std::string_view line, bool padded) {
    simdjson::dom::element root;
    if (threadParser().parse(line.data(), line.size(), !padded).get(root) != simdjson::SUCCESS) return std::nullopt;
    simdjson::dom::object object;
    if (root.get_object().get(object) != simdjson::SUCCESS) return std::nullopt;
    return object;
}

std::optional<std::string> parseString(std::string_view text) {
    std::string_view value;
    std::optional<std::string> result;
    if (threadParser().parse(text.data(), text.size(), true).get_string().get(value) == simdjson::SUCCESS) {
        result = std::string(value);
    }
    releaseLargeBuffers();
    return result;
}

void releaseLargeBuffers() {
    simdjson::dom::parser& parser = threadParser();
    if (parser.capacity() > keptCapacity) parser = simdjson::dom::parser();
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
