#include "app/TaskScreenViews.h"

#include "views/CleanListItem.h"

namespace corvane {

OptimizeScreenView optimizeScreen(const AppModel& model) {
    OptimizeScreenView view = optimizeScreen(model.previewGroups(), model.selection(), model.previewLoading());
    view.footer = whileWorking(view.footer, model.isQuitting());
    return view;
}

CleanScreenView cleanScreen(const AppModel& model) {
    CleanScreenView view = cleanScreen(cleanListItems(model.diskReport()), model.diskSelection(), model.diskScanning(),
                                       model.hasCleanedDiskBefore());
    view.footer = whileWorking(view.footer, model.isCleaning());
    return view;
}

} // namespace corvane
