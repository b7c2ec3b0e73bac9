#include "cli/report/Report.h"

#include "memory/FormatBytes.h"
#include "cli/report/DiskSection.h"
#include "cli/report/AISection.h"
#include "cli/report/JsonWriter.h"
#include "cli/report/ReportTime.h"
#include "words/VerdictWords.h"

namespace corvane {

namespace {

void line(std::string& out, std::string_view label, const std::string& value) {
    out += "  ";
    out += label;
    out += "：";
    out += value;
    out += '\n';
}

} // namespace

std::string reportText(const ReportData& data) {
    const MemorySnapshot& s = data.snapshot;
    std::string out = "Corvane 报告（" + reportLocalTime(s.timestamp) + "）\n\n内存\n";
    line(out, "已用", std::to_string(usedPercent(s)) + "%（" + formatBytes(s.usedBytes()) + " / 共 " +
                          formatBytes(s.totalBytes) + "）");
    line(out, "状态", std::string(levelWord(s.level)));
    line(out, "应用内存", formatBytes(s.appBytes));
    line(out, "固定内存", formatBytes(s.wiredBytes));
    line(out, "压缩内存", formatBytes(s.compressedBytes));
    line(out, "缓存", formatBytes(s.cachedBytes));
    line(out, "空闲", formatBytes(s.freeBytes));
    line(out, "交换", "已用 " + formatBytes(s.swapUsedBytes) + " / 共 " + formatBytes(s.swapTotalBytes));
    line(out, "磁盘", "可用 " + formatBytes(s.diskFreeBytes) + " / 共 " + formatBytes(s.diskTotalBytes));
    out += "\n结论\n";
    out += "  " + data.verdict.headline + "\n";
    out += "  " + data.verdict.advice + "\n";
    line(out, "建议", std::string(actionWord(data.verdict.action)));
    if (data.apps) appendAppsText(out, *data.apps);
    if (data.disk) {
        out += '\n';
        out += diskSectionText(*data.disk);
    }
    appendAIText(out, data.ai);
    return out;
}

std::string reportJson(const ReportData& data) {
    const MemorySnapshot& s = data.snapshot;
    JsonWriter json;
    json.beginObject();
    json.key("memory").beginObject();
    json.key("timestamp").value(reportIsoUtc(s.timestamp));
    json.key("usedPercent").value(usedPercent(s));
    json.key("usedBytes").value(s.usedBytes());
    json.key("totalBytes").value(s.totalBytes);
    json.key("appBytes").value(s.appBytes);
    json.key("wiredBytes").value(s.wiredBytes);
    json.key("compressedBytes").value(s.compressedBytes);
    json.key("cachedBytes").value(s.cachedBytes);
    json.key("freeBytes").value(s.freeBytes);
    json.key("swapUsedBytes").value(s.swapUsedBytes);
    json.key("swapTotalBytes").value(s.swapTotalBytes);
    json.key("diskFreeBytes").value(s.diskFreeBytes);
    json.key("diskTotalBytes").value(s.diskTotalBytes);
    json.key("level").value(rawValue(s.level));
    json.endObject();
    json.key("verdict").beginObject();
    json.key("level").value(rawValue(data.verdict.level));
    json.key("headline").value(data.verdict.headline);
    json.key("advice").value(data.verdict.advice);
    json.key("action").value(rawValue(data.verdict.action));
    json.endObject();
    if (data.apps) writeAppsJson(json, *data.apps);
    if (data.disk) writeDiskJson(json.key("disk"), *data.disk);
    writeAIJson(json, data.ai);
    json.endObject();
    return json.text() + "\n";
}

} // namespace corvane
