#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

/// The footer of a task screen: a summary of what is ticked and the primary button's state.
struct SelectionFooter {
    std::string text;
    bool confirmEnabled{false};
    /// 1, or 0.35 while the confirm button is disabled.
    double confirmOpacity{1};

    bool operator==(const SelectionFooter&) const = default;
};

/// `busyText` while the list is being produced; "未选择" with nothing ticked; otherwise the count
/// followed by `countAndVerb` (for example " 个，约腾出 ") and the formatted bytes. The button is
/// enabled exactly when something is ticked.
SelectionFooter selectionFooter(bool busy, std::string_view busyText, std::size_t count, std::string_view countAndVerb,
                                std::uint64_t bytes);

/// The footer while the confirmed work runs (a quit or a move to the Trash): the same summary,
/// the button held disabled so the work cannot be asked for twice.
SelectionFooter whileWorking(SelectionFooter footer, bool working);

} // namespace corvane
