#include "DashboardPrewarm.h"
#include "DashboardView.h"

#include "CorvaneUi/RunEvents.h"
#include "app/DemoServices.h"
#include "support/ManualExecutor.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

/// Each screen is drawn off-screen on a model of its own; once finished, no window and no
/// preview model is left.
TEST(DashboardPrewarm, DrawsTheThreeScreensOffScreenAndLeavesNothingBehind) {
    auto main = std::make_shared<test::ManualExecutor>();
    std::vector<std::weak_ptr<AppModel>> models;
    std::vector<DashboardMode> modesShown;
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    DashboardPrewarm prewarm(
        [&](std::shared_ptr<MainExecutor> executor, std::shared_ptr<PreferenceStore> prefs) {
            auto model = makeDemoModel(MockMode::warn, std::move(executor), std::move(prefs), true);
            models.push_back(model);
            return model;
        },
        main);
    int finished = 0;
    QObject::connect(&prewarm, &DashboardPrewarm::finished, [&] { ++finished; });

    prewarm.start();
    EXPECT_TRUE(test::runEventsUntil([&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const auto* view = window->findChild<DashboardView*>();
            if (view == nullptr || !window->isVisible()) continue;
            EXPECT_LE(window->geometry().right(), -10000);
            // Never takes the keyboard from the user's work.
            EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
            EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
            const auto model = models.back().lock();
            if (model && (modesShown.empty() || modesShown.back() != model->mode())) modesShown.push_back(model->mode());
        }
        return finished > 0;
    }));
    test::runEventsFor(50);

    EXPECT_EQ(finished, 1);
    EXPECT_EQ(modesShown, (std::vector<DashboardMode>{DashboardMode::home, DashboardMode::optimize, DashboardMode::clean}));
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    main->runUntilIdle();
    for (const auto& model : models) EXPECT_TRUE(model.expired());
}

} // namespace
} // namespace corvane
