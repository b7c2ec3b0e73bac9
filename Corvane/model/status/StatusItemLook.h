#pragma once

#include "memory/MemorySnapshot.h"
#include "memory/PressureLevel.h"
#include "prefs/PreferenceStore.h"
#include "symbols/Symbol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Everything the status item shows depends on these five values only.
struct StatusInputs {
    PressureLevel level{PressureLevel::normal};
    /// Used memory as a whole percentage.
    int percent{};
    bool showPercent{true};
    bool hideIcon{false};
    /// AI sessions waiting for the user.
    int waiting{};

    bool operator==(const StatusInputs&) const = default;
};

/// Gathers the inputs from the verdict's level, the snapshot (its used percentage), the two
/// preferences and the waiting count.
StatusInputs statusInputs(PressureLevel level, const MemorySnapshot& snapshot, const PreferenceStore& prefs,
                          int waiting);

/// level + "|" + percent + "|" + showPercent + "|" + waiting + "|" + hideIcon, the Booleans as
/// "true"/"false": equal keys mean nothing visible changed.
std::string statusRefreshKey(const StatusInputs& inputs);

/// How the icon is tinted: following the panel's own text colour (template) or in a fixed palette colour.
enum class IconRendering { template_, paletteOrange, paletteRed };

/// The icon for a pressure level.
struct StatusIcon {
    Symbol symbol{};
    std::string_view description;
    IconRendering rendering{IconRendering::template_};

    bool operator==(const StatusIcon&) const = default;
};

/// Colour of the percent title: the default text colour, system orange or system red.
enum class StatusTitleColor { standard, orange, red };

/// The exact colour of `color` as 0xRRGGBB: system orange 0xFF9500, system red 0xFF3B30; absent
/// for `standard`, which follows the panel's own text colour.
std::optional<std::uint32_t> statusTitleRgb(StatusTitleColor color);

/// The percent title beside the icon.
struct StatusTitle {
    std::string text;
    StatusTitleColor color{StatusTitleColor::standard};

    bool operator==(const StatusTitle&) const = default;
};

/// The whole status item as it should be drawn.
struct StatusItemLook {
    bool visible{true};
    StatusIcon icon;
    /// Image before the title when the percent shows; image only otherwise.
    bool imageLeading{false};
    /// Absent for the empty title.
    std::optional<StatusTitle> title;
    bool badgeVisible{false};
    /// Accessibility label and tooltip.
    std::string a11yLabel;

    bool operator==(const StatusItemLook&) const = default;
};

/// Help text of the status item.
inline constexpr std::string_view statusItemHelp = "点按展开或收起刘海仪表盘";

/// Symbol::memoryChip (template), Symbol::warningOutline (orange) or Symbol::warningFilled (red).
StatusIcon statusIcon(PressureLevel level);

/// " " + percent + "%" in orange for elevated and red for critical; absent when the percent is hidden.
std::optional<StatusTitle> statusTitle(const StatusInputs& inputs);

/// "内存压力：" + level word + "，已用 " + percent + "%", then "；" + count + " 个 AI 会话等你"
/// when at least one session waits.
std::string a11yStatusLabel(PressureLevel level, int percent, int attentionCount);

/// The status item's look for the inputs.
StatusItemLook statusItemLook(const StatusInputs& inputs);

/// Remembers the last key drawn so that a change the user cannot see draws nothing.
/// Main thread only.
class StatusItemRefresher {
public:
    /// The look to draw when the key differs from the last one drawn; absent otherwise.
    std::optional<StatusItemLook> refresh(const StatusInputs& inputs);
    /// Forgets the last key, so the next `refresh` draws.
    void invalidate() { lastKey_.clear(); }

private:
    std::string lastKey_;
};

} // namespace corvane
