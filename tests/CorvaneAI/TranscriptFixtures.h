#pragma once

#include "LineBuffer.h"
#include "support/FileRead.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::test {

/// The text of a captured real transcript under tests/fixtures/transcripts.
inline std::string transcript(const std::string& relative) {
    const auto text = readWholeFile(std::string(CORVANE_FIXTURES_DIR) + "/transcripts/" + relative);
    EXPECT_TRUE(text.has_value()) << relative;
    return text.value_or(std::string());
}

/// `text` without its last `count` lines: the same transcript as it stood a few writes earlier.
inline std::string withoutLastLines(std::string text, int count) {
    while (count-- > 0) {
        while (!text.empty() && text.back() == '\n') text.pop_back();
        const std::size_t newline = text.rfind('\n');
        text.resize(newline == std::string::npos ? 0 : newline + 1);
    }
    return text;
}

} // namespace corvane::test
