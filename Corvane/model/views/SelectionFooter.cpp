#include "views/SelectionFooter.h"

#include "memory/FormatBytes.h"
#include "views/ViewTint.h"

namespace corvane {

SelectionFooter selectionFooter(bool busy, std::string_view busyText, std::size_t count, std::string_view countAndVerb,
                                std::uint64_t bytes) {
    SelectionFooter footer;
    if (busy) {
        footer.text = busyText;
    } else if (count == 0) {
        footer.text = "未选择";
    } else {
        footer.text = std::to_string(count) + std::string(countAndVerb) + formatBytes(bytes);
    }
    footer.confirmEnabled = count > 0;
    footer.confirmOpacity = footer.confirmEnabled ? 1.0 : disabledButtonOpacity;
    return footer;
}

SelectionFooter whileWorking(SelectionFooter footer, bool working) {
    if (working) {
        footer.confirmEnabled = false;
        footer.confirmOpacity = disabledButtonOpacity;
    }
    return footer;
}

} // namespace corvane
