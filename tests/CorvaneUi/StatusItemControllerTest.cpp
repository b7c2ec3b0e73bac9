#include "StatusIconPainter.h"
#include "StatusItemController.h"

#include "CorvaneModel/app/ModelFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace corvane {
namespace {

constexpr int side = 64;

/// Opaque pixels of `image` inside `region` whose colour is within a small distance of `color`.
int pixelsOf(const QImage& image, const QColor& color, const QRect& region) {
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 230 && std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                                           std::abs(c.blue() - color.blue()) <
                                       40) {
                ++count;
            }
        }
    }
    return count;
}

const QColor panelText{0x20, 0x60, 0xC0};
const QRect whole(0, 0, side, side);
const QRect topLeft(0, 0, side / 2, side / 2);
const QRect bottomHalf(0, side / 2 + 2, side, side / 2 - 2);

/// The tray item over a real model with scripted services, on a palette with a distinctive
/// text colour.
struct Tray {
    test::ModelFixture f;
    int monitorOpened = 0;
    int settingsOpened = 0;
    std::vector<QScreen*> toggles;
    StatusItemController controller{f.model, f.prefs, [this] { ++monitorOpened; }, f.main->clock()};

    Tray() {
        f.model->openSettings = [this] { ++settingsOpened; };
        controller.onToggle = [this](QScreen* screen) { toggles.push_back(screen); };
        QPalette palette = QGuiApplication::palette();
        palette.setColor(QPalette::WindowText, panelText);
        QGuiApplication::setPalette(palette);
        settle();
    }
    ~Tray() { QGuiApplication::setPalette(QPalette()); }

    /// Runs the queued refreshes.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void apply(PressureLevel level, std::uint64_t freeOf100, std::uint64_t cached = 0) {
        MemorySnapshot snapshot;
        snapshot.totalBytes = 100;
        snapshot.freeBytes = freeOf100;
        snapshot.cachedBytes = cached;
        snapshot.level = level;
        f.model->apply(snapshot, Verdict{level, "", "", Verdict::Action::none});
    }
    QImage image() { return controller.trayIcon().icon().pixmap(side, side).toImage(); }
    qint64 drawn() { return controller.trayIcon().icon().cacheKey(); }
    QAction* menuItem(int index) {
        QMenu* menu = controller.trayIcon().contextMenu();
        emit menu->aboutToShow();
        return menu->actions().at(index);
    }
};

/// One change after another, each with what the item then shows: the glyph's colour in the
/// top-left corner, the percent's colour in the bottom half (absent: no percent drawn), the red
/// badge at the glyph's top-right corner, visibility and tooltip; or, for a change nothing
/// visible depends on, no redraw at all.
struct RefreshCase {
    const char* name;
    std::function<void(Tray&)> change;
    bool redraws;
    QColor glyph{};
    std::optional<QColor> percent{};
    bool badge{};
    bool visible{};
    const char* tooltip{};
};

TEST(StatusItemController, RedrawsWhatEachChangeMakesVisibleAndNothingElse) {
    using enum PressureLevel;
    const QColor orange = systemOrange();
    const QColor red = systemRed();
    const RefreshCase cases[] = {
        {"elevated at 72% with the percent", [](Tray& t) { t.apply(elevated, 28); }, true, orange, orange, false, true,
         "内存压力：偏紧，已用 72%"},
        {"same level and percent, other cache", [](Tray& t) { t.apply(elevated, 20, 8); }, false},
        {"a published field the item does not show", [](Tray& t) { t.f.model->setAIExpanded(true); }, false},
        {"critical", [](Tray& t) { t.apply(critical, 5); }, true, red, red, false, true, "内存压力：紧张，已用 95%"},
        {"normal without the percent",
         [](Tray& t) {
             t.apply(normal, 60);
             Prefs::set(*t.f.prefs, Prefs::showPercent, false);
         },
         true, panelText, std::nullopt, false, true, "内存压力：良好，已用 40%"},
        {"a session starts waiting",
         [](Tray& t) { t.f.sampleAI({{AIToolKind::codex, {{"a", "web", AIActivity::waitingForUser, t.f.main->now()}}, true}}); },
         true, panelText, std::nullopt, true, true, "内存压力：良好，已用 40%；1 个 AI 会话等你"},
        {"normal with the percent and the badge", [](Tray& t) { Prefs::set(*t.f.prefs, Prefs::showPercent, true); },
         true, panelText, panelText, true, true, "内存压力：良好，已用 40%；1 个 AI 会话等你"},
        {"hidden, told from another thread",
         [](Tray& t) { std::jthread([&] { Prefs::set(*t.f.prefs, Prefs::hideIcon, true); }).join(); }, true,
         panelText, panelText, true, false, "内存压力：良好，已用 40%；1 个 AI 会话等你"},
        {"the panel's text colour changes",
         [](Tray&) {
             QPalette palette = QGuiApplication::palette();
             palette.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
             QGuiApplication::setPalette(palette);
         },
         true, QColor(0xE0, 0xE0, 0xE0), QColor(0xE0, 0xE0, 0xE0), true, false,
         "内存压力：良好，已用 40%；1 个 AI 会话等你"},
    };
    Tray t;
    for (const RefreshCase& c : cases) {
        SCOPED_TRACE(c.name);
        const qint64 before = t.drawn();
        c.change(t);
        Tray::settle();
        if (!c.redraws) {
            EXPECT_EQ(t.drawn(), before);
            continue;
        }
        ASSERT_NE(t.drawn(), before);
        const QImage image = t.image();
        EXPECT_GT(pixelsOf(image, c.glyph, topLeft), 40);
        if (c.percent) {
            EXPECT_GT(pixelsOf(image, *c.percent, bottomHalf), 60);
        } else {
            EXPECT_EQ(pixelsOf(image, orange, whole) + (c.badge ? 0 : pixelsOf(image, red, whole)), 0);
        }
        const double dotRadius = 3.5 * side / 22;
        const double dotX = c.percent ? side * 0.55 : side - dotRadius;
        const QColor atDot = image.pixelColor(static_cast<int>(dotX), static_cast<int>(dotRadius));
        EXPECT_EQ(atDot == red, c.badge) << atDot.name().toStdString();
        EXPECT_EQ(t.controller.trayIcon().isVisible(), c.visible);
        EXPECT_EQ(t.controller.trayIcon().toolTip().toStdString(), c.tooltip);
    }
}

TEST(StatusItemController, MenuFollowsThePauseAndRunsItsActions) {
    Tray t;
    const QStringList titles = [&] {
        QStringList list;
        for (int i = 0; i < 5; ++i) list << t.menuItem(i)->text();
        return list;
    }();
    EXPECT_EQ(titles, (QStringList{"活动监视器", "设置…", "暂停提醒 1 小时", "", "退出Corvane"}));
    EXPECT_TRUE(t.menuItem(3)->isSeparator());
    EXPECT_EQ(t.menuItem(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(t.menuItem(4)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(t.menuItem(0)->shortcut().isEmpty());

    t.menuItem(0)->trigger();
    t.menuItem(1)->trigger();
    EXPECT_EQ(t.monitorOpened, 1);
    EXPECT_EQ(t.settingsOpened, 1);

    // A pause set elsewhere: the menu offers to end it, and ending it redraws at once.
    Prefs::set(*t.f.prefs, Prefs::pausedUntil, unixSeconds(t.f.main->now()) + 600);
    Tray::settle();
    ASSERT_EQ(t.menuItem(2)->text(), "恢复提醒");
    const qint64 before = t.drawn();
    t.menuItem(2)->trigger();
    EXPECT_NE(t.drawn(), before);
    EXPECT_EQ(Prefs::value(*t.f.prefs, Prefs::pausedUntil), 0.0);
    EXPECT_EQ(t.menuItem(2)->text(), "暂停提醒 1 小时");
    t.menuItem(2)->trigger();
    EXPECT_EQ(Prefs::value(*t.f.prefs, Prefs::pausedUntil), unixSeconds(t.f.main->now()) + 3600);
    // The pause ends by itself: the next opening offers a new one.
    t.f.main->advance(3601);
    EXPECT_EQ(t.menuItem(2)->text(), "暂停提醒 1 小时");
}

TEST(StatusItemController, OnlyALeftClickToggles) {
    Tray t;
    emit t.controller.trayIcon().activated(QSystemTrayIcon::Context);
    emit t.controller.trayIcon().activated(QSystemTrayIcon::Trigger);
    ASSERT_EQ(t.toggles.size(), 1U);
    // No tray geometry offscreen: the screen under the pointer.
    EXPECT_EQ(t.toggles[0], QGuiApplication::screenAt(QCursor::pos()));
}

} // namespace
} // namespace corvane
