#include "app/OptimizeTexts.h"

#include "memory/FormatBytes.h"

namespace corvane {

namespace {

constexpr std::size_t listedNames = 8;

std::string quoted(const std::string& name) {
    return "「" + name + "」";
}

} // namespace

std::string confirmMessage(const std::vector<std::string>& names, const std::vector<QuitRisk>& risks) {
    std::string text = "将关闭：";
    for (std::size_t i = 0; i < names.size() && i < listedNames; ++i) {
        if (i > 0) text += "、";
        text += quoted(names[i]);
    }
    if (names.size() > listedNames) text += " 等 " + std::to_string(names.size() - listedNames) + " 个";
    text += "。";
    if (!risks.empty()) {
        text += "\n注意：";
        for (std::size_t i = 0; i < risks.size(); ++i) {
            if (i > 0) text += "；";
            text += quoted(risks[i].name) + risks[i].note;
        }
        text += "。";
    }
    text += "\n未保存的内容会先询问你。";
    return text;
}

std::string oneClickMessage(const std::vector<std::string>& names, const std::vector<QuitRisk>& risks,
                            std::uint64_t bytes) {
    return "约释放 " + formatBytes(bytes) + "。\n" + confirmMessage(names, risks);
}

std::string resultSentence(int requested, int skipped, int failed) {
    std::string text = requested >= 1 ? "已关闭 " + std::to_string(requested) + " 个" : "没有关闭任何软件";
    if (skipped > 0) text += "，" + std::to_string(skipped) + " 个正在用没动";
    if (failed > 0) text += "，" + std::to_string(failed) + " 个没能关掉";
    return text + "。有未保存内容的会先问你。";
}

std::string forceQuitSentence(const std::string& name, bool ended) {
    return (ended ? "已强制退出「" : "没能强制退出「") + name + "」。";
}

} // namespace corvane
