#pragma once

#include <simdjson.h>

#include <optional>
#include <string>
#include <string_view>

namespace corvane::JsonLine {

/// Parses one line as a complete, fully validated JSON document and returns its root object.
/// The line must stay readable for `LineBuffer::padding` bytes past its end (lines of a
/// `LineBuffer` do); `padded` false copies it first. The object lives until the next call on
/// the same thread. Absent when the text is not valid JSON or its root is not an object.
std::optional<simdjson::dom::object> parseObject(std::string_view line, bool padded = true);

/// The text of a JSON document that is a single string (escapes undone); absent otherwise.
std::optional<std::string> parseString(std::string_view text);

/// Frees the calling thread's parse buffers when a large document grew them, so each worker
/// keeps only a small parser between transcripts. Invalidates objects from `parseObject`.
void releaseLargeBuffers();

/// The member `key` of `object` when it is a string.
std::optional<std::string_view> stringMember(const simdjson::dom::object& object, std::string_view key);

/// The member `key` of `object` when it is an object.
std::optional<simdjson::dom::object> objectMember(const simdjson::dom::object& object, std::string_view key);

} // namespace corvane::JsonLine
