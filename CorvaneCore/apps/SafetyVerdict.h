#pragma once

#include <string>

namespace corvane {

/// The safety policy's judgement of one application group.
struct SafetyVerdict {
    /// Declaration order as judged: warn, lock, or allow. (`protected` is spelled `protected_`
    /// because the plain word is reserved in C++.)
    enum class Kind { caution, protected_, canQuit };

    Kind kind{Kind::canQuit};
    /// The user-visible reason; empty for `canQuit`.
    std::string reason;

    static SafetyVerdict canQuit() { return {}; }
    static SafetyVerdict caution(std::string reason) { return {Kind::caution, std::move(reason)}; }
    static SafetyVerdict locked(std::string reason) { return {Kind::protected_, std::move(reason)}; }

    /// True exactly for `protected`.
    bool isProtected() const { return kind == Kind::protected_; }

    /// The stricter of two verdicts (protected > caution > canQuit); `a` when equally strict.
    static SafetyVerdict strictest(const SafetyVerdict& a, const SafetyVerdict& b) {
        return strictness(b.kind) > strictness(a.kind) ? b : a;
    }

    bool operator==(const SafetyVerdict&) const = default;

private:
    static int strictness(Kind kind) {
        switch (kind) {
        case Kind::canQuit: return 0;
        case Kind::caution: return 1;
        case Kind::protected_: return 2;
        }
        return 2;
    }
};

} // namespace corvane
