#include "views/DashboardContext.h"

namespace corvane {

DashboardContext dashboardContext(const ScreenGeo& geo) {
    DashboardContext context;
    context.style = geo.style;
    context.headerHeight = geo.header;
    context.notchWidth = geo.notchWidth;
    context.width = geo.dashboardWidth();
    return context;
}

RoundedCorners dashboardRoundedCorners(IslandStyle style) {
    return style == IslandStyle::floating ? RoundedCorners::all : RoundedCorners::bottomOnly;
}

} // namespace corvane
