#include "ClaudeCodeParser.h"

#include "JsonLine.h"

#include <string_view>

namespace corvane::ClaudeCodeParser {

namespace {

using simdjson::dom::array;
using simdjson::dom::object;

constexpr std::string_view interruptedPrefix = "[Request interrupted";

bool isInterruption(const simdjson::dom::element& content) {
    std::string_view text;
    if (content.get_string().get(text) == simdjson::SUCCESS) return text.starts_with(interruptedPrefix);
    array items;
    if (content.get_array().get(items) != simdjson::SUCCESS) return false;
    object first;
    if (items.at(0).get_object().get(first) != simdjson::SUCCESS) return false;
    const auto type = JsonLine::stringMember(first, "type");
    const auto firstText = JsonLine::stringMember(first, "text");
    return type == "text" && firstText && firstText->starts_with(interruptedPrefix);
}

RawState assistantState(const simdjson::dom::element* content, const simdjson::dom::element* stopReason) {
    bool hasToolUse = false;
    std::string_view lastType;
    bool anyType = false;
    array items;
    if (content != nullptr && content->get_array().get(items) == simdjson::SUCCESS) {
        for (simdjson::dom::element item : items) {
            object element;
            if (item.get_object().get(element) != simdjson::SUCCESS) continue;
            const auto type = JsonLine::stringMember(element, "type");
            if (!type) continue;
            hasToolUse = hasToolUse || *type == "tool_use";
            lastType = *type;
            anyType = true;
        }
    }
    if (hasToolUse) return RawState::pendingTool;
    std::string_view reason;
    if (stopReason != nullptr && stopReason->get_string().get(reason) == simdjson::SUCCESS) {
        if (reason == "tool_use") return RawState::pendingTool;
        if (reason == "end_turn" || reason == "stop_sequence" || reason == "max_tokens" || reason == "refusal") {
            return RawState::waitingText;
        }
        return RawState::busy;
    }
    return anyType && lastType == "text" ? RawState::waitingText : RawState::busy;
}

/// The state one line settles, if any.
std::optional<RawState> lineState(const object& line) {
    const auto type = JsonLine::stringMember(line, "type");
    if (type != "user" && type != "assistant") return std::nullopt;
    bool sidechain = false;
    if (line.at_key("isSidechain").get_bool().get(sidechain) == simdjson::SUCCESS && sidechain) return std::nullopt;

    simdjson::dom::element content;
    simdjson::dom::element stopReason;
    bool hasContent = false;
    bool hasStopReason = false;
    if (const auto message = JsonLine::objectMember(line, "message")) {
        hasContent = message->at_key("content").get(content) == simdjson::SUCCESS;
        hasStopReason = message->at_key("stop_reason").get(stopReason) == simdjson::SUCCESS;
    }
    if (*type == "user") return hasContent && isInterruption(content) ? RawState::idle : RawState::busy;
    return assistantState(hasContent ? &content : nullptr, hasStopReason ? &stopReason : nullptr);
}

} // namespace

TailResult parse(const LineBuffer& lines, Date mtime) {
    TailResult result;
    result.mtime = mtime;
    bool settled = false;
    for (std::size_t i = lines.size(); i-- > 0;) {
        const auto line = JsonLine::parseObject(lines[i]);
        if (!line) continue;
        if (!result.cwd) {
            const auto cwd = JsonLine::stringMember(*line, "cwd");
            if (cwd && !cwd->empty()) result.cwd = std::string(*cwd);
        }
        if (!settled) {
            if (const auto state = lineState(*line)) {
                result.state = *state;
                settled = true;
            }
        }
        if (settled && result.cwd) break;
    }
    JsonLine::releaseLargeBuffers();
    return result;
}

} // namespace corvane::ClaudeCodeParser
