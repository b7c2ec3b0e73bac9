#include "views/DiskSection.h"

#include "memory/FormatBytes.h"
#include "views/MemoryColumn.h"

#include <algorithm>

namespace corvane {

DiskStateLook diskStateLook(std::uint64_t freeBytes) {
    if (freeBytes >= diskRoomyFromBytes) {
        return {DiskStateLook::State::roomy, Symbol::checkCircle, {0.19, 0.82, 0.35}, "磁盘空间充足"};
    }
    if (freeBytes >= diskNearlyFullBelowBytes) {
        return {DiskStateLook::State::low, Symbol::warningFilled, {1.0, 0.62, 0.04}, "磁盘快满了，会让电脑变卡"};
    }
    return {
        DiskStateLook::State::nearlyFull, Symbol::stopFilled, {1.0, 0.27, 0.23}, "磁盘几乎满了，电脑很可能因此变卡"};
}

DiskSectionView diskSection(std::uint64_t freeBytes, bool diskFocus, bool scanning,
                            const std::optional<std::vector<CleanListItem>>& report,
                            const std::optional<std::string>& lastCleanResult) {
    DiskSectionView v;
    v.look = diskStateLook(freeBytes);
    v.title = diskFocus ? "磁盘 · 刚才提醒的" : "磁盘";
    v.freeLine = "磁盘还剩 " + formatBytes(freeBytes);
    v.resultLine = resultLine(lastCleanResult);
    if (scanning) {
        v.measure = DiskSectionView::Measure::measuring;
        v.measureText = "正在测量…";
        v.measureA11y = "正在测量可释放空间";
    } else if (report) {
        std::uint64_t reclaimable = 0;
        for (const CleanListItem& item : *report) {
            if (item.isSelectable()) reclaimable += item.bytes;
        }
        const bool approximate =
            std::any_of(report->begin(), report->end(), [](const CleanListItem& i) { return i.isApproximate(); });
        v.measure = DiskSectionView::Measure::measured;
        v.measureText = "可释放约 " + formatBytes(reclaimable);
        v.measureA11y = v.measureText;
        if (approximate) {
            v.measureText += "（估算）";
            v.measureA11y += "，为估算下限";
        }
        v.hint = "先测量可以清理的内容，再让你选择，不会直接删除";
        v.showsCleanButton = true;
    } else {
        v.measure = DiskSectionView::Measure::notMeasured;
        v.measureText = "测量可释放空间";
        v.measureA11y = v.measureText;
        v.hint = "只在你点按时才扫描，几秒内完成";
    }
    return v;
}

} // namespace corvane
