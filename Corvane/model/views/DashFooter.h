#pragma once

#include "symbols/Symbol.h"

#include <string_view>

namespace corvane {

/// A footer control: its title, symbol and help text (empty when it has none).
struct FooterControl {
    std::string_view title;
    Symbol symbol{};
    std::string_view help;

    bool operator==(const FooterControl&) const = default;
};

/// The footer's two fixed controls.
inline constexpr FooterControl footerActivityMonitor{"活动监视器", Symbol::heartbeat, "系统自带的详细监控工具"};
inline constexpr FooterControl footerSettings{"设置", Symbol::settings, ""};

/// The quiet switch as drawn for the model's `paused` flag.
struct QuietSwitchLook {
    std::string_view label;
    std::string_view a11yValue;
    std::string_view help;

    bool operator==(const QuietSwitchLook&) const = default;
};

/// "安静 1 小时" while alerts run, "安静中 · 点此恢复" while they are paused.
QuietSwitchLook quietSwitchLook(bool paused);

} // namespace corvane
