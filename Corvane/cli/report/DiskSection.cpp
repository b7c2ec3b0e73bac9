#include "cli/report/DiskSection.h"

#include "memory/FormatBytes.h"
#include "cli/report/Report.h"
#include "cli/report/ReportTime.h"
#include "cli/report/TerminalText.h"

#include <cstdio>

namespace corvane {

namespace {

bool endsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string state(const DiskItem& item) {
    if (item.isInfoOnly) return "仅供参考";
    if (item.blockedReason) return "暂不可清理：" + terminalSafe(*item.blockedReason);
    return "可清理";
}

} // namespace

std::string_view riskWord(DiskRisk risk) {
    return risk == DiskRisk::confirm ? "需确认" : "安全";
}

bool isApproximate(const DiskItem& item) {
    return endsWith(item.detail, approximateMark);
}

std::string diskSectionText(const DiskReport& report) {
    std::string out = "磁盘清理\n";
    out += "  磁盘：可用 " + formatBytes(report.freeBytes) + " / 共 " + formatBytes(report.totalBytes) + "\n";
    out += "  可清理：" + formatBytes(report.reclaimableBytes()) + "\n";
    out += "  扫描用时：" + seconds(report.scanSeconds) + " 秒\n";
    if (report.items.empty()) {
        out += "  没有发现可清理的内容\n";
        return out;
    }
    for (const DiskItem& item : report.items) {
        out += "  · " + terminalSafe(item.title) + "：" + formatBytes(item.bytes) + (isApproximate(item) ? "（约值）" : "") + "，" +
               std::string(riskWord(item.risk)) + "，" + state(item) + "\n";
        out += "    " + terminalSafe(item.detail) + "\n";
    }
    return out;
}

void writeDiskJson(JsonWriter& json, const DiskReport& report) {
    json.beginObject();
    json.key("freeBytes").value(report.freeBytes);
    json.key("totalBytes").value(report.totalBytes);
    json.key("reclaimableBytes").value(report.reclaimableBytes());
    json.key("scannedAt").value(reportIsoUtc(report.scannedAt));
    json.key("scanSeconds").value(report.scanSeconds);
    json.key("items").beginArray();
    for (const DiskItem& item : report.items) {
        json.beginObject();
        json.key("id").value(item.id);
        json.key("title").value(item.title);
        json.key("detail").value(item.detail);
        json.key("bytes").value(item.bytes);
        json.key("approximate").value(isApproximate(item));
        json.key("risk").value(rawValue(item.risk));
        json.key("ownerBundleIDs").beginArray();
        for (const std::string& owner : item.ownerBundleIDs) json.value(owner);
        json.endArray();
        json.key("paths").beginArray();
        for (const std::string& path : item.paths) json.value(path);
        json.endArray();
        json.key("blockedReason").value(item.blockedReason);
        json.key("isInfoOnly").value(item.isInfoOnly);
        json.key("isActionable").value(item.isActionable());
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace corvane
