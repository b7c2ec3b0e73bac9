#include "CwdSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

/// The reference: the pattern run by PCRE2 with Unicode properties, where `.` stops at every
/// Unicode line terminator.
class ReferenceSearch {
public:
    ReferenceSearch() {
        std::unique_ptr<pcre2_compile_context, decltype(&pcre2_compile_context_free)> context(
            pcre2_compile_context_create(nullptr), pcre2_compile_context_free);
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANY);
        const auto pattern = reinterpret_cast<PCRE2_SPTR>(R"re("cwd"\s*:\s*"((?:[^"\\]|\\.)*)")re");
        int error = 0;
        PCRE2_SIZE offset = 0;
        code_ = pcre2_compile(pattern, PCRE2_ZERO_TERMINATED, PCRE2_UTF | PCRE2_UCP, &error, &offset, context.get());
        match_ = pcre2_match_data_create_from_pattern(code_, nullptr);
    }
    ~ReferenceSearch() {
        pcre2_match_data_free(match_);
        pcre2_code_free(code_);
    }
    std::optional<std::string> find(const std::string& text) const {
        const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0, match_, nullptr);
        if (rc < 0) return std::nullopt;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match_);
        return text.substr(ovector[2], ovector[3] - ovector[2]);
    }
    bool valid() const { return code_ != nullptr; }

private:
    pcre2_code* code_{nullptr};
    pcre2_match_data* match_{nullptr};
};

std::optional<std::string> search(const std::string& text) {
    const auto found = CwdSearch::findCwdValue(text);
    return found ? std::optional<std::string>(std::string(*found)) : std::nullopt;
}

TEST(CwdSearch, AgreesWithReferenceEngineOnRandomText) {
    const ReferenceSearch reference;
    ASSERT_TRUE(reference.valid());
    // Pieces that steer the pattern: keys, separators, escapes, quotes, Unicode spaces and line
    // terminators, multibyte text and the replacement character.
    const std::vector<std::string> pieces = {
        "\"cwd\"", "\"cwd\"", "\"cw", "d\"", ":", " ", "\t", "\n", "\r", "\"", "\"", "\\", "\\\\", "\\\"",
        "a", "/", "{", "}", ",", "\xC2\xA0", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE3\x80\x80", "\x0B", "\x0C",
        "\xE6\x96\x87", "\xEF\xBF\xBD", "\xF0\x9F\x98\x80", "\xE2\x80\x83"};
    std::mt19937 random(20260512);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
        ASSERT_EQ(search(text), reference.find(text)) << text;
    }
}

TEST(CwdSearch, EscapesAndTerminators) {
    EXPECT_EQ(search(R"(x "cwd": "a\"b" y)"), R"(a\"b)");
    EXPECT_EQ(search(R"("cwd":"a\\")"), R"(a\\)");
    // A backslash before a line terminator cannot be consumed: that candidate fails, a later one wins.
    EXPECT_EQ(search("\"cwd\":\"a\\\n\" \"cwd\":\"b\""), "b");
    // A raw newline inside the value is fine; only an escaped one stops it.
    EXPECT_EQ(search("\"cwd\":\"a\nb\""), "a\nb");
    // Next line and the Unicode spaces count as white space around the colon.
    EXPECT_EQ(search("\"cwd\"\xC2\x85:\xE3\x80\x80\"v\""), "v");
    EXPECT_EQ(search("\"cwd\"\xC2\x85:\"\\\xC2\x85\" \"cwd\":\"w\""), "w");
    EXPECT_FALSE(search(R"("cwd":"open)"));
    EXPECT_FALSE(search(R"("cwd":"ends in backslash\)"));
    EXPECT_FALSE(search(R"("CWD":"x")"));
}

TEST(CwdSearch, FirstLineSizedInputsWithManyFailingCandidates) {
    const ReferenceSearch reference;
    // Every candidate fails at an escaped line break; the answer is the one valid value at the end.
    std::string text;
    while (text.size() < 262144) text += "\"cwd\" : \"abc\\\n";
    EXPECT_FALSE(search(text));
    EXPECT_EQ(search(text), reference.find(text));
    text += R"("cwd":"/last")";
    EXPECT_EQ(search(text), "/last");
    const std::string longValue = "\"cwd\":\"" + std::string(262144, 'a') + "\"";
    EXPECT_EQ(search(longValue)->size(), 262144U);
}

TEST(CwdSearch, RepairReplacesEachMaximalInvalidSubsequence) {
    EXPECT_EQ(CwdSearch::repairUtf8("ok \xE6\x96\x87"), "ok \xE6\x96\x87");
    EXPECT_EQ(CwdSearch::repairUtf8("\xFF"), "\xEF\xBF\xBD");
    // A truncated three-byte sequence is one replacement; the byte that broke it starts anew.
    EXPECT_EQ(CwdSearch::repairUtf8("\xE6\x96" "a"), "\xEF\xBF\xBD" "a");
    // Surrogates and overlong forms are invalid from their second byte on.
    EXPECT_EQ(CwdSearch::repairUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(CwdSearch::repairUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(CwdSearch::repairUtf8("\xF4\x90\x80\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(CwdSearch::repairUtf8("\xF0\x9F\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(CwdSearch::repairUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace corvane
