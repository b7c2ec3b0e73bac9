#include "app/DebugEnv.h"

#include <unistd.h>

namespace corvane::DebugEnv {

const Environment& env() {
    static const Environment environment = [] {
        Environment read;
        for (char** entry = ::environ; entry != nullptr && *entry != nullptr; ++entry) {
            const std::string text(*entry);
            const auto equals = text.find('=');
            if (equals == std::string::npos) continue;
            // The first definition wins, as getenv reads it.
            read.emplace(text.substr(0, equals), text.substr(equals + 1));
        }
        return read;
    }();
    return environment;
}

} // namespace corvane::DebugEnv
