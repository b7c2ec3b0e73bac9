#include "support/TextSearch.h"

namespace corvane {

bool containsText(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string removingAll(std::string_view text, std::string_view part) {
    std::string result(text);
    if (part.empty()) return result;
    for (auto at = result.find(part); at != std::string::npos; at = result.find(part, at)) result.erase(at, part.size());
    return result;
}

} // namespace corvane
