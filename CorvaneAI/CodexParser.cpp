#include "CodexParser.h"

#include "CwdSearch.h"
#include "JsonLine.h"

namespace corvane::CodexParser {

namespace {

std::optional<RawState> lineState(const simdjson::dom::object& line) {
    const auto type = JsonLine::stringMember(line, "type");
    if (!type) return std::nullopt;
    const auto payload = JsonLine::objectMember(line, "payload");
    const std::string_view payloadType =
        payload ? JsonLine::stringMember(*payload, "type").value_or(std::string_view()) : std::string_view();

    if (*type == "event_msg") {
        if (payloadType == "task_complete" || payloadType == "turn_aborted") return RawState::waitingText;
        if (payloadType == "task_started") return RawState::busy;
        return std::nullopt;
    }
    if (*type != "response_item") return std::nullopt;
    if (payloadType == "message") {
        if (JsonLine::stringMember(*payload, "role") != "assistant") return std::nullopt;
        return JsonLine::stringMember(*payload, "phase") == "final_answer" ? RawState::waitingText : RawState::busy;
    }
    if (payloadType.ends_with("_call_output")) return RawState::busy;
    if (payloadType.ends_with("_call")) return RawState::pendingTool;
    return std::nullopt;
}

} // namespace

TailResult parse(const LineBuffer& lines, Date mtime) {
    TailResult result;
    result.mtime = mtime;
    for (std::size_t i = lines.size(); i-- > 0;) {
        const auto line = JsonLine::parseObject(lines[i]);
        if (!line) continue;
        if (const auto state = lineState(*line)) {
            result.state = *state;
            break;
        }
    }
    JsonLine::releaseLargeBuffers();
    return result;
}

std::optional<std::string> cwd(std::string_view firstLine) {
    const std::string text = CwdSearch::repairUtf8(firstLine);
    const auto group = CwdSearch::findCwdValue(text);
    if (!group) return std::nullopt;
    std::string quoted;
    quoted.reserve(group->size() + 2);
    quoted += '"';
    quoted.append(*group);
    quoted += '"';
    if (auto decoded = JsonLine::parseString(quoted)) return decoded;
    return std::string(*group);
}

} // namespace corvane::CodexParser
