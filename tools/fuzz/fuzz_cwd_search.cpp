// Any bytes as a Codex first line. The working-directory search is checked against PCRE2 running
// the same pattern with Unicode semantics; any disagreement aborts. PCRE2's \s leaves out U+0085,
// which the search counts as white space, so inputs holding it only run the search.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "CodexParser.h"
#include "CwdSearch.h"

#include <pcre2.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

pcre2_code* compileReference() {
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(R"re("cwd"\s*:\s*"((?:[^"\\]|\\.)*)")re"),
                                     PCRE2_ZERO_TERMINATED, PCRE2_UTF | PCRE2_UCP, &error, &offset, context);
    pcre2_compile_context_free(context);
    if (code == nullptr) std::abort();
    return code;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static pcre2_code* const reference = compileReference();
    static pcre2_match_data* const match = pcre2_match_data_create_from_pattern(reference, nullptr);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)corvane::CodexParser::cwd(bytes);
    const std::string text = corvane::CwdSearch::repairUtf8(bytes);
    const auto found = corvane::CwdSearch::findCwdValue(text);
    if (text.find("\xC2\x85") != std::string::npos) return 0;
    const int rc = pcre2_match(reference, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0, match, nullptr);
    if ((rc >= 0) != found.has_value()) std::abort();
    if (rc >= 0) {
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match);
        if (text.substr(ovector[2], ovector[3] - ovector[2]) != *found) std::abort();
    }
    return 0;
}
