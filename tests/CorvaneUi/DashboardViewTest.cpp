#include "AIRowView.h"
#include "DashboardView.h"
#include "HomeBody.h"

#include "RunEvents.h"

#include "CorvaneModel/app/ModelFixture.h"
#include "app/DemoServices.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace corvane {
namespace {

/// A 1920 × 1080 screen with a 32-point top panel: floating, 640 points wide.
DashboardContext screenContext(IslandStyle style = IslandStyle::floating) {
    const Rect frame{0, 0, 1920, 1080};
    DashboardContext context =
        dashboardContext(ScreenGeo::measure(frame, 0, std::nullopt, std::nullopt, {0, 0, 1920, 1048}, true));
    context.style = style;
    return context;
}

/// A body standing in for the optimize and clean screens.
class TaskBody final : public DashboardBody {
public:
    TaskBody(DashboardMode mode, QWidget* parent) : DashboardBody(parent), mode(mode) { setFixedHeight(300); }
    void refresh() override { ++refreshes; }
    DashboardMode mode;
    int refreshes = 0;
};

/// The dashboard over a model whose queues all run on one manual executor, recording what its
/// controls ask of the island.
struct Dash {
    std::shared_ptr<test::ManualExecutor> main;
    std::shared_ptr<AppModel> model;
    std::vector<std::string> calls;
    std::unique_ptr<DashboardView> view;

    Dash(std::shared_ptr<test::ManualExecutor> executor, std::shared_ptr<AppModel> m,
         DashboardContext context = screenContext())
        : main(std::move(executor)), model(std::move(m)) {
        context.onClose = [this] { calls.emplace_back("close"); };
        context.onSettings = [this] { calls.emplace_back("settings"); };
        context.onActivityMonitor = [this] { calls.emplace_back("monitor"); };
        context.onInteract = [this] { calls.emplace_back("interact"); };
        context.onLayoutChange = [this] { calls.emplace_back("layout"); };
        model->islandWillOpen();
        main->runUntilIdle();
        view = std::make_unique<DashboardView>(model, std::move(context),
                                               [](DashboardMode mode, QWidget* parent) { return new TaskBody(mode, parent); });
        view->resize(view->sizeHint());
        view->show();
        settle();
    }

    /// Runs the model's queued work and the coalesced redraw.
    void settle() {
        main->runUntilIdle();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        view->resize(view->sizeHint());
    }

    template <typename W = QWidget>
    W* named(const QString& accessibleName) const {
        for (W* w : view->findChildren<W*>()) {
            if (w->accessibleName() == accessibleName && w->isVisibleTo(view.get())) return w;
        }
        return nullptr;
    }
    bool showsText(const QString& text) const {
        for (QLabel* label : view->findChildren<QLabel*>()) {
            if (label->text() == text && label->isVisibleTo(view.get())) return true;
        }
        return false;
    }
    void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        settle();
    }
};

std::shared_ptr<AppModel> demoModel(MockMode mode, const std::shared_ptr<test::ManualExecutor>& main) {
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    AppModel::Services s = demoServices(mode, main->clock());
    s.prefs = prefs;
    s.main = main;
    s.queue = main;
    s.diskQueue = main;
    s.userInitiated = main;
    auto model = AppModel::create(std::move(s));
    model->start();
    main->runUntilIdle();
    return model;
}

void saveGrab(const Dash& dash, const char* name) {
    if (const char* dir = std::getenv("CORVANE_UI_GRABS")) dash.view->grab().save(QString(dir) + "/" + name + ".png");
}

TEST(DashboardView, GrabAll) {
    for (auto [mode, name] : {std::pair{MockMode::ok, "ok"}, {MockMode::warn, "warn"}, {MockMode::bad, "bad"}}) {
        auto main = std::make_shared<test::ManualExecutor>();
        Dash dash(main, demoModel(mode, main));
        saveGrab(dash, name);
    }
    test::ModelFixture f;
    f.start();
    Dash dash(f.main, f.model);
    saveGrab(dash, "noai");
}

} // namespace
} // namespace corvane
