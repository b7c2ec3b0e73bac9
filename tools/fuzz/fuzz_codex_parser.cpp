// Any bytes as a Codex rollout tail: the parser must not crash and never reports a directory.
#include "CodexParser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvane::LineBuffer lines(text);
    const auto result = corvane::CodexParser::parse(lines, corvane::Date{});
    if (result.cwd) std::abort();
    return 0;
}
