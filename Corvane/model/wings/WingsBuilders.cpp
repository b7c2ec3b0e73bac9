#include "wings/WingsBuilders.h"

#include "memory/FormatBytes.h"

namespace corvane {

WingsContent wingsForPressure(PressureLevel level, int percent) {
    const bool critical = level == PressureLevel::critical;
    const std::string p = std::to_string(percent);
    const std::string word = critical ? "紧张" : "偏紧";
    WingsContent c;
    c.symbol = critical ? Symbol::stopFilled : Symbol::warningFilled;
    c.tint = critical ? WingsContent::Tint::red : WingsContent::Tint::orange;
    c.text = p + "%";
    c.floatingText = word + " " + p + "%";
    c.a11y = "内存" + word + "，已用 " + p + "%";
    return c;
}

WingsContent wingsForDisk(std::uint64_t freeBytes) {
    const bool red = freeBytes < diskNoticeRedBelowBytes;
    const std::string b = formatBytes(freeBytes);
    WingsContent c;
    c.symbol = red ? Symbol::stopFilled : Symbol::drive;
    c.tint = red ? WingsContent::Tint::red : WingsContent::Tint::orange;
    c.text = b;
    c.floatingText = "磁盘只剩 " + b;
    c.a11y = "磁盘只剩 " + b + "，点按查看";
    c.focus = WingsFocus::disk;
    return c;
}

WingsContent wingsForAttention(int count) {
    WingsContent c;
    c.symbol = Symbol::bellBadge;
    c.tint = WingsContent::Tint::blue;
    if (count < 2) {
        c.text = "等你";
        c.floatingText = "等你";
        c.a11y = "AI 会话在等你回复";
    } else {
        const std::string n = std::to_string(count);
        c.text = n;
        c.floatingText = n + " 个等你";
        c.a11y = n + " 个 AI 会话在等你回复";
    }
    return c;
}

WingsContent wingsForFinished(const FinishedEvent& event, std::optional<SessionRef> jump) {
    WingsContent c;
    c.symbol = Symbol::checkCircle;
    c.tint = WingsContent::Tint::green;
    c.text = "干完了";
    c.floatingText = event.title;
    c.a11y = event.title + "，" + event.subtitle;
    c.jump = std::move(jump);
    return c;
}

} // namespace corvane
