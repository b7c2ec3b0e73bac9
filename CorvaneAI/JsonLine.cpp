#include "JsonLine.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// True for a JSON integer (no fraction, no exponent) that neither 64-bit signed nor unsigned
/// integers hold.
bool isBigInteger(std::string_view token) {
    const bool negative = token.starts_with('-');
    const std::string_view digits = token.substr(negative ? 1 : 0);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) return false;
    if (digits.size() > 1 && digits.front() == '0') return false; // not JSON: left for the parser to reject
    std::uint64_t magnitude = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), magnitude).ec != std::errc()) return true;
    return negative && magnitude > std::uint64_t{1} << 63;
}

/// `line` with every integer beyond 64 bits written as the nearest double; absent when it holds
/// none. Strings are copied untouched.
std::optional<std::string> withBigIntegersAsDoubles(std::string_view line) {
    std::string out;
    bool changed = false;
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t end = at + 1;
        if (line[at] == '"') {
            while (end < line.size() && line[end] != '"')
                end += line[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, line.size());
        } else if (line[at] == '-' || isDigit(line[at])) {
            while (end < line.size() &&
                   (isDigit(line[end]) || std::string_view("+-.eE").find(line[end]) != std::string_view::npos)) {
                ++end;
            }
            const std::string_view token = line.substr(at, end - at);
            double value = 0;
            if (isBigInteger(token) &&
                std::from_chars(token.data(), token.data() + token.size(), value).ec == std::errc()) {
                char text[32];
                const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
                out.append(text, written.ptr);
                changed = true;
                at = end;
                continue;
            }
        }
        out.append(line.substr(at, end - at));
        at = end;
    }
    if (!changed) return std::nullopt;
    return out;
}

} // namespace

std::optional<simdjson::dom::object> parseObject(std::string_view line, bool padded) {
    simdjson::dom::element root;
    if (threadParser().parse(line.data(), line.size(), !padded).get(root) != simdjson::SUCCESS) {
        // JavaScript writes integers up to 10^21 in full, beyond what the parser holds in 64 bits;
        // such a line is still valid JSON.
        const auto rewritten = withBigIntegersAsDoubles(line);
        if (!rewritten || threadParser().parse(*rewritten).get(root) != simdjson::SUCCESS) return std::nullopt;
    }
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
