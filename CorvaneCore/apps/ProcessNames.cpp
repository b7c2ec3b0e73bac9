#include "apps/ProcessScanner.h"

#include <array>

namespace corvane::ProcessScanner {

namespace {

std::string_view baseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isInterpreter(std::string_view name) {
    return name == "node" || name == "bun" || name == "deno" || name == "nodejs";
}

std::string_view withoutScriptSuffix(std::string_view name) {
    for (std::string_view suffix : std::array<std::string_view, 3>{".mjs", ".cjs", ".js"}) {
        if (name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix) {
            return name.substr(0, name.size() - suffix.size());
        }
    }
    return name;
}

/// The first argument after the interpreter that is not an option: the script it runs.
std::string_view scriptArgument(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg.empty() || arg.front() == '-') continue;
        return arg;
    }
    return {};
}

} // namespace

std::vector<std::string> namesOf(std::string_view comm, const std::vector<std::string>& arguments,
                                 std::string_view executable) {
    std::vector<std::string> names;
    auto add = [&names](std::string_view name) {
        if (!name.empty()) names.emplace_back(name);
    };
    add(comm);
    const std::string_view argv0 = arguments.empty() ? std::string_view() : baseName(arguments.front());
    add(argv0);
    if (isInterpreter(argv0) || isInterpreter(comm) || isInterpreter(baseName(executable))) {
        add(withoutScriptSuffix(baseName(scriptArgument(arguments))));
    }
    if (executable.find("/claude/versions/") != std::string_view::npos) add("claude");
    // The npm package run straight through its entry script ("node .../cli.js").
    if (isInterpreter(argv0) || isInterpreter(comm) || isInterpreter(baseName(executable))) {
        if (scriptArgument(arguments).find("/@anthropic-ai/claude-code/") != std::string_view::npos) add("claude");
    }
    return names;
}

} // namespace corvane::ProcessScanner
