#include "views/DashFooter.h"

namespace corvane {

QuietSwitchLook quietSwitchLook(bool paused) {
    if (paused) return {"安静中 · 点此恢复", "已开启", "恢复提醒"};
    return {"安静 1 小时", "未开启", "1 小时内不弹出提醒（岛仍可手动打开）"};
}

} // namespace corvane
