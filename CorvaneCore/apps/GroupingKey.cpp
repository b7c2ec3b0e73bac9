#include "apps/GroupingKey.h"

namespace corvane {

namespace {

constexpr std::string_view kApp = ".app";
constexpr std::string_view kAppBundle = ".app.bundle";
constexpr std::string_view kExecPrefix = "exec:";
constexpr std::string_view kClonePrefix = "clone:";

} // namespace

GroupingKey groupingKey(std::string_view p) {
    std::optional<std::string_view> app;
    if (const auto at = p.find(".app/"); at != std::string_view::npos) {
        app = p.substr(0, at + kApp.size());
    } else if (p.ends_with(kApp)) {
        app = p;
    } else if (const auto clone = p.find(".app.bundle/"); clone != std::string_view::npos) {
        app = p.substr(0, clone + kAppBundle.size());
    }

    GroupingKey result;
    if (!app) {
        result.execName = std::string(lastPathComponent(p));
        result.key = std::string(kExecPrefix) + result.execName;
        return result;
    }
    result.appPath = std::string(*app);
    result.execName = std::string(lastPathComponent(*app));
    if (app->ends_with(kAppBundle)) {
        const std::string_view withoutBundle =
            std::string_view(result.execName).substr(0, result.execName.size() - (kAppBundle.size() - kApp.size()));
        result.key = std::string(kClonePrefix) + std::string(withoutBundle);
    } else {
        result.key = *result.appPath;
    }
    return result;
}

} // namespace corvane
