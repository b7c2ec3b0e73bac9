#include "views/OptimizeScreen.h"

#include "memory/FormatBytes.h"

#include <algorithm>
#include <cmath>

namespace corvane {

std::optional<std::string> idleText(std::optional<double> idleSeconds) {
    // NaN fails every comparison below and is treated as unknown.
    if (!idleSeconds || !(*idleSeconds >= 600)) return std::nullopt;
    if (*idleSeconds >= 3600) {
        return std::to_string(static_cast<long long>(std::trunc(*idleSeconds / 3600))) + " 小时没用";
    }
    return std::to_string(static_cast<long long>(std::trunc(*idleSeconds / 60))) + " 分钟没用";
}

double optimizeListHeight(std::size_t plainRows, std::size_t cautionRows, std::size_t lockedRows) {
    double height = optimizeRowHeight * static_cast<double>(plainRows) +
                    optimizeCautionRowHeight * static_cast<double>(cautionRows);
    if (lockedRows > 0) height += lockedHeadingHeight + lockedRowHeight * static_cast<double>(lockedRows);
    return std::clamp(height, optimizeListMinHeight, optimizeListMaxHeight);
}

namespace {

OptimizeRow makeRow(const AppGroup& group, bool selected) {
    OptimizeRow row;
    row.id = group.id;
    row.name = group.name;
    row.footprintText = "，占用 " + formatBytes(group.footprintBytes);
    row.idleText = idleText(group.idleSeconds);
    row.selected = selected;
    row.a11y = row.name + row.footprintText;
    if (row.idleText) row.a11y += "，" + *row.idleText;
    if (group.safety.kind == SafetyVerdict::Kind::caution) {
        row.cautionNote = group.safety.reason;
        row.a11y += "，提示：" + group.safety.reason;
    }
    if (group.safety.isProtected()) {
        row.lockReason = group.safety.reason;
        row.selected = false;
        row.a11y += "，" + group.safety.reason + "，不可选择";
    }
    return row;
}

} // namespace

OptimizeScreenView optimizeScreen(const std::vector<AppGroup>& groups, const std::set<std::string>& selection,
                                  bool loading) {
    OptimizeScreenView v;
    v.title = "选择要关闭的软件";
    v.intro = selection.empty() ? "先看看，再决定关闭哪些。未保存的内容会先询问你。"
                                : "已帮你勾好暂时不用的。未保存的内容会先询问你。";
    std::size_t cautionRows = 0;
    std::size_t selectedCount = 0;
    std::uint64_t selectedBytes = 0;
    for (const AppGroup& group : groups) {
        const bool ticked = selection.contains(group.id);
        // The footer counts what confirming would act on: every listed group whose id is ticked.
        if (ticked) {
            ++selectedCount;
            selectedBytes += group.footprintBytes;
        }
        OptimizeRow row = makeRow(group, ticked);
        if (row.lockReason) {
            v.lockedRows.push_back(std::move(row));
        } else {
            if (row.cautionNote) ++cautionRows;
            v.selectableRows.push_back(std::move(row));
        }
    }
    v.listHeight = optimizeListHeight(v.selectableRows.size() - cautionRows, cautionRows, v.lockedRows.size());
    v.footer = selectionFooter(loading, "正在统计…", selectedCount, " 个，约腾出 ", selectedBytes);
    return v;
}

} // namespace corvane
