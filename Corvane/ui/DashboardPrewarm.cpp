#include "DashboardPrewarm.h"

#include "StandardDashboard.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "views/DashboardContext.h"

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <utility>

namespace corvane {

namespace {

constexpr std::chrono::milliseconds turn{80};
constexpr int screens = 3; // home, optimize, clean
constexpr std::uint64_t GiB = std::uint64_t{1} << 30;

DashboardContext prewarmContext() {
    DashboardContext context;
    context.style = IslandStyle::notch;
    context.headerHeight = 32;
    context.notchWidth = 185;
    context.width = 640;
    return context;
}

} // namespace

DashboardPrewarm::DashboardPrewarm(PreviewModelFactory makePreviewModel, std::shared_ptr<MainExecutor> main,
                                   QObject* parent)
    : QObject(parent), makePreviewModel_(std::move(makePreviewModel)), main_(std::move(main)) {}

void DashboardPrewarm::start() { show(0); }

void DashboardPrewarm::show(int screen) {
    delete panel_;
    model_.reset();
    if (screen == screens) {
        emit finished();
        return;
    }
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    model_ = makePreviewModel_(main_, prefs);
    if (screen == 1) model_->openPreviewImmediately();
    if (screen == 2) {
        DiskReport report;
        report.freeBytes = 12 * GiB;
        report.totalBytes = 460 * GiB;
        model_->openCleanImmediately(false, std::move(report));
    }
    std::unique_ptr<DashboardView> view = makeStandardDashboard(model_, prewarmContext());
    auto* panel = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    panel->setAttribute(Qt::WA_ShowWithoutActivating);
    panel->setGeometry(-20000, -20000, 640, 520);
    view->setParent(panel);
    view->setGeometry(0, 0, 640, 520);
    view.release()->show();
    panel->show();
    panel_ = panel;
    QTimer::singleShot(turn, this, [this, screen] {
        if (panel_) panel_->repaint();
        QTimer::singleShot(turn, this, [this, screen] {
            if (panel_) panel_->repaint();
            show(screen + 1);
        });
    });
}

} // namespace corvane
