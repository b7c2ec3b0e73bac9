#pragma once

#include "app/AppModel.h"
#include "prefs/PreferenceStore.h"
#include "support/MainExecutor.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace corvane {

/// Draws the dashboard's home, optimize and clean screens once in a window far off-screen, on a
/// preview model, so that the first real opening finds its fonts, glyphs and code already loaded
/// and stays within its frame budget. One screen after another, each shown for two short turns of
/// the event loop; `finished` is emitted once all three are gone. Main thread only.
class DashboardPrewarm final : public QObject {
    Q_OBJECT

public:
    using PreviewModelFactory =
        std::function<std::shared_ptr<AppModel>(std::shared_ptr<MainExecutor>, std::shared_ptr<PreferenceStore>)>;

    DashboardPrewarm(PreviewModelFactory makePreviewModel, std::shared_ptr<MainExecutor> main,
                     QObject* parent = nullptr);

    void start();

signals:
    void finished();

private:
    void show(int screen);

    PreviewModelFactory makePreviewModel_;
    std::shared_ptr<MainExecutor> main_;
    std::shared_ptr<AppModel> model_;
    QPointer<QWidget> panel_;
};

} // namespace corvane
