// Any bytes as a Claude Code transcript tail: the parser must not crash, read out of bounds or
// return a working directory that is not in the input.
#include "ClaudeCodeParser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvane::LineBuffer lines(text);
    const auto result = corvane::ClaudeCodeParser::parse(lines, corvane::Date{});
    if (result.cwd && result.cwd->empty()) std::abort();
    return 0;
}
