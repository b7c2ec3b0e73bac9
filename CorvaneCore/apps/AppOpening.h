#pragma once

#include <functional>
#include <string>
#include <variant>

namespace corvane {

/// How to reach an AI session: open a link in its host application, or bring the host forward.
struct JumpAction {
    struct OpenURL {
        std::string url;
        std::string bundleID;
        bool operator==(const OpenURL&) const = default;
    };
    struct Activate {
        std::string bundleID;
        bool operator==(const Activate&) const = default;
    };
    std::variant<OpenURL, Activate> kind;

    bool operator==(const JumpAction&) const = default;
};

/// The platform's application launcher. Completions report success and may run on any thread.
class AppOpening {
public:
    using Completion = std::function<void(bool success)>;

    virtual ~AppOpening() = default;
    /// Opens `url` with the application `bundleID`; fails when there is no such application.
    virtual void open(const std::string& url, const std::string& bundleID, Completion completion) = 0;
    /// Brings the application forward, launching it when it does not run.
    virtual void activate(const std::string& bundleID, Completion completion) = 0;

    /// Dispatches `action` to `open` or `activate`.
    void perform(const JumpAction& action, Completion completion) {
        if (const auto* open = std::get_if<JumpAction::OpenURL>(&action.kind)) {
            this->open(open->url, open->bundleID, std::move(completion));
        } else {
            activate(std::get<JumpAction::Activate>(action.kind).bundleID, std::move(completion));
        }
    }
};

} // namespace corvane
