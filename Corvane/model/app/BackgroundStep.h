#pragma once

#include "support/Executor.h"
#include "support/MainExecutor.h"

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace corvane {

/// Runs `work` on `queue`, then `done(owner, outcome)` on `main` while `owner` still lives. The
/// outcome is the work's result, or absent when the work threw: `done` always runs, so state set
/// before the step (a "scanning" flag) can always be reset. `work` must return a value.
template <typename Owner, typename Work, typename Done>
void runInBackground(Executor& queue, std::shared_ptr<MainExecutor> main, std::weak_ptr<Owner> owner, Work work,
                     Done done) {
    using Result = std::invoke_result_t<Work&>;
    static_assert(!std::is_void_v<Result>, "a background step hands a value back");
    queue.async([main = std::move(main), owner = std::move(owner), work = std::move(work),
                 done = std::move(done)]() mutable {
        std::optional<Result> outcome;
        try {
            outcome.emplace(work());
        } catch (...) {
            // A service that throws is a failed step, reported to the main executor like a result.
        }
        main->async([owner = std::move(owner), outcome = std::move(outcome), done = std::move(done)]() mutable {
            if (auto self = owner.lock()) done(*self, std::move(outcome));
        });
    });
}

} // namespace corvane
