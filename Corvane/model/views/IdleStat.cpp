#include "views/IdleStat.h"

#include "memory/FormatBytes.h"

namespace corvane {

IdleStatView idleStat(const std::optional<std::vector<AppGroup>>& candidates, std::uint64_t cacheBytes) {
    IdleStatView v;
    v.label = "闲置可腾出";
    v.help = "系统缓存约 " + formatBytes(cacheBytes) + " 会自动回收，不用管。点这里可一键关闭闲置软件来腾出内存。";
    if (!candidates) {
        v.state = IdleStatView::State::counting;
        v.value = "正在统计…";
        v.a11y = "闲置软件，正在统计";
        return v;
    }
    if (candidates->empty()) {
        v.state = IdleStatView::State::none;
        v.value = "暂无";
        v.a11y = "暂无可关闭的闲置软件";
        return v;
    }
    std::uint64_t bytes = 0;
    for (const AppGroup& g : *candidates)
        bytes += g.footprintBytes;
    v.state = IdleStatView::State::reclaimable;
    v.value = formatBytes(bytes);
    v.a11y = "闲置软件可腾出 " + v.value;
    v.hint = "点按一键腾出，会先让你确认";
    v.reclaimableBytes = bytes;
    v.showsReclaimButton = true;
    return v;
}

} // namespace corvane
