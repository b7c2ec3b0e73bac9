#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

namespace corvane {

/// Applies `transform` to every item with up to `workers` threads (0 counts as 1, never more
/// threads than items) and returns the results in the order of the items. Blocks until all are
/// done; `transform` runs concurrently with itself and must be safe to. It must not throw.
template <typename Item, typename Transform>
auto parallelMap(const std::vector<Item>& items, int workers, Transform&& transform)
    -> std::vector<std::invoke_result_t<Transform&, const Item&>> {
    using Result = std::invoke_result_t<Transform&, const Item&>;
    // Each slot is written by exactly one thread; optional avoids vector<bool>'s shared bytes.
    std::vector<std::optional<Result>> slots(items.size());
    const std::size_t threadCount = std::min<std::size_t>(std::max(workers, 1), items.size());
    std::atomic<std::size_t> next{0};
    auto drain = [&] {
        for (std::size_t i = next.fetch_add(1); i < items.size(); i = next.fetch_add(1)) {
            slots[i].emplace(transform(items[i]));
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threadCount; ++t) helpers.emplace_back(drain);
        drain();
    } // every helper has joined here
    std::vector<Result> results;
    results.reserve(items.size());
    for (auto& slot : slots) results.push_back(std::move(*slot));
    return results;
}

} // namespace corvane
