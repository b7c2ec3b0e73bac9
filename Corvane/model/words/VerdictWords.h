#pragma once

#include "memory/PressureLevel.h"
#include "memory/Verdict.h"

#include <string_view>

namespace corvane {

/// The level as the user reads it: "良好", "偏紧" or "紧张".
std::string_view levelWord(PressureLevel level);
/// The action as the user reads it: "无需操作", "关掉闲置软件" or "腾出磁盘空间".
std::string_view actionWord(Verdict::Action action);

} // namespace corvane
