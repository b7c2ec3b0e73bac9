#include "app/CleanTexts.h"

#include "memory/FormatBytes.h"

#include <algorithm>
#include <map>

namespace corvane {

namespace {

constexpr std::size_t listedItems = 8;

bool isSubsetOf(const std::vector<std::string>& paths, const std::vector<std::string>& shown) {
    return std::all_of(paths.begin(), paths.end(), [&shown](const std::string& path) {
        return std::find(shown.begin(), shown.end(), path) != shown.end();
    });
}

/// The file manager's name set into Chinese text: a Latin name gets a space on each Latin side
/// ("在 Nautilus 清倒"), a Chinese name none ("在文件管理器清倒").
std::string inSentence(std::string_view name) {
    const auto isLatin = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (name.empty()) return {};
    std::string text(name);
    if (isLatin(text.front())) text.insert(0, " ");
    if (isLatin(text.back())) text += " ";
    return text;
}

} // namespace

std::set<std::string> defaultDiskSelection(const std::vector<DiskItem>& items, bool hasCleanedBefore) {
    std::set<std::string> selection;
    if (!hasCleanedBefore) return selection;
    for (const DiskItem& item : items) {
        if (item.isActionable() && item.risk == DiskRisk::safe) selection.insert(item.id);
    }
    return selection;
}

std::vector<DiskItem> pickedDiskItems(const std::vector<DiskItem>& items, const std::set<std::string>& selection) {
    std::vector<DiskItem> picked;
    for (const DiskItem& item : items) {
        if (item.isActionable() && selection.contains(item.id)) picked.push_back(item);
    }
    return picked;
}

std::string diskConfirmMessage(const std::vector<DiskItem>& items, std::string_view fileManager) {
    std::string text = "将处理：";
    for (std::size_t i = 0; i < items.size() && i < listedItems; ++i) {
        if (i > 0) text += "、";
        const bool estimated = items[i].detail.find("估算") != std::string::npos;
        text += "「" + items[i].title + "」" + (estimated ? "约 " : "") + formatBytes(items[i].bytes);
    }
    if (items.size() > listedItems) text += " 等 " + std::to_string(items.size() - listedItems) + " 项";
    text += "。";
    if (std::any_of(items.begin(), items.end(), [](const DiskItem& item) { return item.risk == DiskRisk::confirm; })) {
        text += "\n其中含你的产出或历史记录，请确认不再需要。";
    }
    text += "\n只会移入废纸篓，可在废纸篓里放回；在" + inSentence(fileManager) + "清倒废纸篓后才会真正释放空间。";
    return text;
}

CleaningPlan intersectForCleaning(const std::vector<DiskItem>& selected, const std::vector<DiskItem>& fresh) {
    std::multimap<std::string, const DiskItem*> freshByID;
    for (const DiskItem& item : fresh) freshByID.emplace(item.id, &item);
    CleaningPlan plan;
    for (const DiskItem& chosen : selected) {
        const DiskItem* match = nullptr;
        auto [first, last] = freshByID.equal_range(chosen.id);
        for (auto it = first; it != last; ++it) {
            if (it->second->isActionable() && isSubsetOf(it->second->paths, chosen.paths)) {
                match = it->second;
                break;
            }
        }
        if (match != nullptr) {
            plan.toClean.push_back(*match);
        } else {
            plan.skipped.push_back(chosen);
        }
    }
    return plan;
}

std::string diskResultSentence(const DiskCleanReport& report, int changed, std::string_view fileManager) {
    std::string text = report.bytes != 0
                           ? "已移入废纸篓 " + formatBytes(report.bytes) + "。在" + inSentence(fileManager) + "清倒废纸篓后才会释放。"
                           : "没有移动任何项目。";
    if (!report.failedItemIDs.empty()) text += "有 " + std::to_string(report.failedItemIDs.size()) + " 项没能移动。";
    if (!report.skippedItemIDs.empty()) {
        text += std::to_string(report.skippedItemIDs.size()) + " 项正在使用或受保护，没有动。";
    }
    if (changed >= 1) text += "有 " + std::to_string(changed) + " 项已变化，已跳过。";
    return text;
}

} // namespace corvane
