#include "app/ArgValue.h"

#include <algorithm>

namespace corvane {

std::optional<std::string> argValue(const std::vector<std::string>& args, std::string_view key) {
    const auto at = std::find(args.begin(), args.end(), key);
    if (at == args.end() || std::next(at) == args.end()) return std::nullopt;
    return *std::next(at);
}

} // namespace corvane
