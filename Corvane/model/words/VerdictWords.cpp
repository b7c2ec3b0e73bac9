#include "words/VerdictWords.h"

namespace corvane {

std::string_view levelWord(PressureLevel level) {
    switch (level) {
    case PressureLevel::normal: return "良好";
    case PressureLevel::elevated: return "偏紧";
    case PressureLevel::critical: return "紧张";
    }
    return "良好";
}

std::string_view actionWord(Verdict::Action action) {
    switch (action) {
    case Verdict::Action::none: return "无需操作";
    case Verdict::Action::optimize: return "关掉闲置软件";
    case Verdict::Action::freeDisk: return "腾出磁盘空间";
    }
    return "无需操作";
}

} // namespace corvane
