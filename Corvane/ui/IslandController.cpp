#include "IslandController.h"

#include "AlertDialog.h"
#include "CompositorPresence.h"
#include "DashboardFitting.h"
#include "FontRelease.h"
#include "IslandPanel.h"
#include "IslandStressRun.h"
#include "ScreenGeoReader.h"
#include "WingsView.h"

#include "island/IslandDemonstrations.h"
#include "prefs/Prefs.h"

#include <QApplication>
#include <QCursor>
#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QThreadPool>
#include <QVariantAnimation>
#include <QWindow>

#include <cmath>
#include <cstdio>

namespace corvane {

namespace {

int milliseconds(double seconds) { return static_cast<int>(std::lround(seconds * 1000)); }

QEasingCurve islandCurve() {
    const double* c = IslandTiming::curve;
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(c[0], c[1]), QPointF(c[2], c[3]), QPointF(1, 1));
    return curve;
}

QRect interpolate(const QRect& from, const QRect& to, double t) {
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return {mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
            mix(from.height(), to.height())};
}

/// Fades a top-level window's opacity and then calls `done`.
void fadeWindow(QWidget* window, double to, double seconds, const std::function<void()>& done) {
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setDuration(milliseconds(seconds));
    animation->setEndValue(to);
    QObject::connect(animation, &QAbstractAnimation::finished, window, done);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

/// Writes the first-frame trace line when `content` first paints, then removes itself.
class FirstFrameTrace final : public QObject {
public:
    FirstFrameTrace(QWidget* content, IslandInput input, std::chrono::steady_clock::time_point inputAt)
        : QObject(content), input_(input), inputAt_(inputAt) {
        content->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - inputAt_;
            std::fputs(islandFirstFrameTraceLine(input_, elapsed.count()).c_str(), stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    IslandInput input_;
    std::chrono::steady_clock::time_point inputAt_;
};

void discardPanel(IslandPanel* panel) {
    panel->onEnter = panel->onExit = panel->onEscape = panel->onPress = [] {};
    panel->hide();
    panel->deleteLater();
}

} // namespace

struct IslandController::DashSession {
    QPointer<IslandPanel> panel;
    QPointer<QWidget> content;
    ScreenGeo geo;
    QRect startRect;
    QRect target;
    double currentHeight{};
    DashGeneration gen;
    /// Hover is synchronised once, when the first frame animation that reaches its end finishes.
    bool hoverSyncDue{true};
    QPointer<QVariantAnimation> frameAnimation;
    QPointer<QPropertyAnimation> contentFade;
};

struct IslandController::WingsSession {
    QPointer<IslandPanel> panel;
    QPointer<QScreen> screen;
    std::unique_ptr<TimerHandle> work;
};

IslandController::IslandController(std::shared_ptr<AppModel> model, std::shared_ptr<MainExecutor> main,
                                   std::shared_ptr<PreferenceStore> prefs, DashboardFactory makeDashboard,
                                   IslandOptions options, QObject* parent)
    : QObject(parent), model_(std::move(model)), main_(std::move(main)), prefs_(std::move(prefs)),
      makeDashboard_(std::move(makeDashboard)), options_(options) {
    const QPointer<IslandController> self(this);
    model_->presentAlert = [self](AlertSpec alert) {
        if (self) self->presentAlert(std::move(alert));
    };
    model_->onJumped = [self] {
        if (self) self->forceClose();
    };
    for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        screensChanged();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &IslandController::screensChanged);
}

IslandController::~IslandController() {
    model_->presentAlert = nullptr;
    model_->onJumped = [] {};
    if (dash_ && dash_->panel) delete dash_->panel.data();
    if (wings_ && wings_->panel) delete wings_->panel.data();
}

IslandPanel* IslandController::dashboardPanel() const { return dash_ ? dash_->panel.data() : nullptr; }

IslandPanel* IslandController::wingsPanel() const { return wings_ ? wings_->panel.data() : nullptr; }

QRect IslandController::dashboardTarget() const { return dash_ ? dash_->target : QRect(); }

void IslandController::send(IslandInput input) {
    if (options_.trace) {
        std::fputs(islandTraceLine(input, machine_.state).c_str(), stderr);
        lastInput_ = input;
        lastInputAt_ = std::chrono::steady_clock::now();
    }
    if (suspended_ && droppedWhileSuspended(input)) return;
    for (const IslandEffect& effect : machine_.send(input)) perform(effect);
}

void IslandController::perform(const IslandEffect& effect) {
    switch (effect.kind) {
    case IslandEffect::Kind::startExpandTimer: startTimer(effect.seconds, IslandInput::expandTimerFired); break;
    case IslandEffect::Kind::startCollapseTimer: startTimer(effect.seconds, IslandInput::collapseTimerFired); break;
    case IslandEffect::Kind::setPinned: setPinned(effect.pinned); break;
    case IslandEffect::Kind::cancelTimer: smWork_.reset(); break;
    case IslandEffect::Kind::expand: expand(); break;
    case IslandEffect::Kind::collapse: collapse(); break;
    case IslandEffect::Kind::collapseNow: closeAtOnce(); break;
    }
}

void IslandController::startTimer(double seconds, IslandInput input) {
    const QPointer<IslandController> self(this);
    smWork_ = main_->after(seconds, [self, input] {
        if (self) self->send(input);
    });
}

void IslandController::setPinned(bool pinned) {
    if (dash_ && dash_->panel) dash_->panel->setAllowKey(pinned);
    if (pinned == pinned_) return;
    pinned_ = pinned;
    emit pinnedChanged(pinned);
}

QScreen* IslandController::pickScreen() {
    QScreen* screen = pendingScreen_;
    pendingScreen_.clear();
    return screen != nullptr ? screen : ScreenGeoReader::screenAt(QCursor::pos());
}

void IslandController::expand() {
    if (dash_) teardownDash();
    dismissWings(false);
    QScreen* screen = pickScreen();
    if (screen == nullptr) return;
    const ScreenGeo geo = ScreenGeoReader::measure(*screen);
    model_->islandWillOpen();

    const QPointer<IslandController> self(this);
    DashboardContext context = dashboardContext(geo);
    context.onClose = [self] {
        if (self) self->send(IslandInput::closeRequested);
    };
    context.onSettings = [self] {
        if (!self) return;
        self->send(IslandInput::closeRequested);
        self->openSettings();
    };
    context.onActivityMonitor = [self] {
        if (!self) return;
        self->send(IslandInput::closeRequested);
        self->openActivityMonitor();
    };
    context.onInteract = [self] {
        if (self) self->send(IslandInput::interact);
    };
    context.onLayoutChange = [self] {
        if (self) self->scheduleRelayout();
    };
    std::unique_ptr<QWidget> content = makeDashboard_(context);
    if (options_.trace) new FirstFrameTrace(content.get(), lastInput_, lastInputAt_);
    const double height = fitDashboard(*content, context.width, geo, model_->mode() == DashboardMode::clean);
    const IslandLayout target = geo.layout(height, true, false);

    auto session = std::make_unique<DashSession>();
    session->geo = geo;
    session->currentHeight = height;
    session->startRect = ScreenGeoReader::toWindow(geo.expansionStartRect(target));
    session->target = ScreenGeoReader::toWindow(target.rect);
    session->content = content.get();

    auto* panel = new IslandPanel(compositorRunning());
    session->panel = panel;
    auto* opacity = new QGraphicsOpacityEffect(content.get());
    opacity->setOpacity(0);
    content->setGraphicsEffect(opacity);
    panel->setContent(content.release(), IslandPanel::Placement::topCentre);
    const bool animated = !options_.reducedMotion;
    panel->setShape(dashboardRoundedCorners(target.style),
                    animated ? compactCornerRadius(target.style) : target.cornerRadius);
    panel->setGeometry(animated ? session->startRect : session->target);
    panel->onEscape = [self] {
        if (self) self->send(IslandInput::escape);
    };
    panel->onEnter = [self] {
        if (self && !self->suspended_ && !self->debugHold_ && self->dash_) self->send(IslandInput::hoverEnter);
    };
    panel->onExit = [self] {
        if (self && !self->suspended_ && !self->debugHold_ && self->dash_ && !self->dash_->gen.collapsing())
            self->send(IslandInput::hoverExit);
    };
    panel->onPress = [self] {
        if (self && self->dash_ && !self->dash_->gen.collapsing()) self->send(IslandInput::interact);
    };
    if (options_.hiddenTest) panel->makeGhost();
    dash_ = std::move(session);
    panel->show();

    const int gen = dash_->gen.current();
    const auto sync = [self, gen] {
        if (self) self->syncHover(gen);
    };
    if (!animated) {
        fadeContent(1, IslandTiming::reduceMotionFadeSeconds, sync);
        return;
    }
    animateFrame(dash_->target, target.cornerRadius, IslandTiming::frameSeconds, sync);
    fadeContent(1, IslandTiming::fadeInSeconds, [] {});
}

void IslandController::syncHover(int gen) {
    if (!dash_ || !dash_->gen.isCurrent(gen) || !dash_->hoverSyncDue || !dash_->panel) return;
    dash_->hoverSyncDue = false;
    // The strip's own enter and leave events say where the pointer is.
    const bool onOpener = hoverOpener_ && hoverOpener_->pointerInside();
    const auto input = hoverSyncInput(machine_.state, debugHold_, ScreenGeoReader::fromWindow(dash_->panel->geometry()),
                                      ScreenGeoReader::pointer(QCursor::pos()), onOpener);
    if (input) send(*input);
}

void IslandController::animateFrame(QRect to, double radiusTo, double seconds, std::function<void()> done) {
    IslandPanel* panel = dash_->panel;
    if (dash_->frameAnimation) dash_->frameAnimation->stop();
    const QRect from = panel->geometry();
    const double radiusFrom = panel->cornerRadius();
    const RoundedCorners corners = dashboardRoundedCorners(dash_->geo.style);
    auto* animation = new QVariantAnimation(panel);
    animation->setDuration(milliseconds(seconds));
    animation->setEasingCurve(islandCurve());
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    connect(animation, &QVariantAnimation::valueChanged, panel, [=](const QVariant& value) {
        const double t = value.toDouble();
        panel->setGeometry(interpolate(from, to, t));
        panel->setShape(corners, radiusFrom + (radiusTo - radiusFrom) * t);
    });
    connect(animation, &QAbstractAnimation::finished, this, std::move(done));
    dash_->frameAnimation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void IslandController::fadeContent(double to, double seconds, const std::function<void()>& done) {
    QWidget* content = dash_->content;
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(content->graphicsEffect());
    if (effect == nullptr) {
        effect = new QGraphicsOpacityEffect(content);
        content->setGraphicsEffect(effect);
    }
    if (dash_->contentFade) dash_->contentFade->stop();
    auto* animation = new QPropertyAnimation(effect, "opacity", effect);
    animation->setDuration(milliseconds(seconds));
    animation->setEasingCurve(islandCurve());
    animation->setEndValue(to);
    connect(animation, &QAbstractAnimation::finished, this, [content = QPointer<QWidget>(content), to, done] {
        // A fully shown dashboard paints directly, not through an off-screen copy.
        if (content && to >= 1) content->setGraphicsEffect(nullptr);
        done();
    });
    dash_->contentFade = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void IslandController::collapse() {
    if (!dash_) {
        modelClosed();
        return;
    }
    if (!dash_->gen.beginCollapse()) return;
    if (dash_->panel) dash_->panel->setAllowKey(false);
    model_->islandWillCollapse();
    const QPointer<IslandController> self(this);
    const int gen = dash_->gen.current();
    const auto tearDown = [self, gen] {
        if (self && self->dash_ && self->dash_->gen.current() == gen) self->teardownDash();
    };
    if (options_.reducedMotion) {
        fadeContent(0, IslandTiming::reduceMotionFadeSeconds, tearDown);
        return;
    }
    fadeContent(0, IslandTiming::fadeOutSeconds, [] {});
    animateFrame(dash_->startRect, compactCornerRadius(dash_->geo.style), IslandTiming::frameSeconds, tearDown);
}

void IslandController::closeAtOnce() {
    if (!dash_) {
        modelClosed();
        return;
    }
    if (!dash_->gen.beginCollapse()) return;
    teardownDash();
}

void IslandController::collapseNow() { send(IslandInput::forceClose); }

void IslandController::screensChanged() { forceClose(); }

void IslandController::debugTrigger(const std::string& name, double hold) {
    const auto demonstration = islandDemonstration(name);
    if (!demonstration) {
        std::fputs(unknownDemonstrationLine(name).c_str(), stderr);
        return;
    }
    if (demonstration->kind == IslandDemonstration::Kind::wings) {
        showWings(demonstration->wings, hold, nullptr);
        return;
    }
    const bool hover = demonstration->kind == IslandDemonstration::Kind::hover;
    debugHold_ = true;
    send(hover ? IslandInput::hoverEnter : IslandInput::notchClick);
    const QPointer<IslandController> self(this);
    debugWork_ = main_->after(hold, [self, hover] {
        if (!self) return;
        self->debugHold_ = false;
        // Leaving closes a hover-opened dashboard after its grace delay, as a person's pointer would.
        self->send(hover ? IslandInput::hoverExit : IslandInput::closeRequested);
    });
}

void IslandController::runStress(int steps, std::uint64_t seed, std::function<void(const StressReport&)> onDone) {
    if (stress_) return;
    stress_ = std::make_unique<IslandStressRun>(*this, main_, returnFreeMemory, steps, seed, std::move(onDone));
    stress_->start();
}

void IslandController::teardownDash() {
    const std::unique_ptr<DashSession> session = std::move(dash_);
    if (session->frameAnimation) session->frameAnimation->stop();
    if (session->contentFade) session->contentFade->stop();
    if (session->panel) discardPanel(session->panel);
    modelClosed();
    if (!returnFreeMemory) return;
    memoryRelief_ = main_->after(IslandTiming::memoryReliefDelaySeconds, [relief = returnFreeMemory] {
        releaseLoadedFonts();
        QThreadPool::globalInstance()->start(relief);
    });
}

void IslandController::modelClosed() {
    model_->islandWillCollapse();
    model_->islandDidClose();
}

void IslandController::scheduleRelayout() {
    if (relayoutPending_) return;
    relayoutPending_ = true;
    const QPointer<IslandController> self(this);
    main_->async([self] {
        if (!self) return;
        self->relayoutPending_ = false;
        self->relayout();
    });
}

void IslandController::relayout() {
    if (!dash_ || dash_->gen.collapsing() || !dash_->content || !dash_->panel) return;
    QWidget* content = dash_->content;
    const double height = expandedHeight(std::ceil(content->sizeHint().height()), dash_->geo.header,
                                         dash_->geo.frame.height, model_->mode() == DashboardMode::clean);
    if (!relayoutNeeded(height, dash_->currentHeight)) return;
    dash_->currentHeight = height;
    const IslandLayout target = dash_->geo.layout(height, true, false);
    dash_->target = ScreenGeoReader::toWindow(target.rect);
    content->resize(content->width(), static_cast<int>(std::lround(height)));
    const QPointer<IslandController> self(this);
    const int gen = dash_->gen.current();
    const auto sync = [self, gen] {
        if (self) self->syncHover(gen);
    };
    if (options_.reducedMotion) {
        if (dash_->frameAnimation) dash_->frameAnimation->stop();
        dash_->panel->setGeometry(dash_->target);
        return;
    }
    animateFrame(dash_->target, target.cornerRadius, IslandTiming::relayoutSeconds, sync);
}

void IslandController::showWings(const WingsContent& content, double hold, QScreen* screen) {
    if (!mayShowWings(suspended_, dash_ != nullptr, machine_.state)) return;
    QScreen* target = screen != nullptr ? screen : ScreenGeoReader::screenAt(QCursor::pos());
    if (target == nullptr) return;
    dismissWings(false);
    const ScreenGeo geo = ScreenGeoReader::measure(*target);

    auto* panel = new IslandPanel(compositorRunning());
    panel->setShape(dashboardRoundedCorners(geo.style), compactCornerRadius(geo.style));
    auto* view = new WingsView(geo.style, content, geo.notchWidth);
    panel->setContent(view, IslandPanel::Placement::fill);
    panel->setGeometry(ScreenGeoReader::toWindow(geo.wingsRect(content.floatingText, false)));
    const QPointer<IslandController> self(this);
    const QPointer<QScreen> screenPointer(target);
    connect(view, &QAbstractButton::clicked, this,
            [this, content, screenPointer] { wingsTapped(content, screenPointer); });
    panel->onEnter = [self, screenPointer] {
        if (!self || !Prefs::value(*self->prefs_, Prefs::hoverOpen)) return;
        self->pendingScreen_ = screenPointer;
        self->send(IslandInput::hoverEnter);
    };
    panel->onExit = [self] {
        if (self) self->send(IslandInput::hoverExit);
    };
    panel->setWindowOpacity(0);
    if (options_.hiddenTest) panel->makeGhost();
    panel->show();
    if (!options_.hiddenTest) fadeWindow(panel, 1, IslandTiming::wingsFadeInSeconds, [] {});

    wings_ = std::make_unique<WingsSession>();
    wings_->panel = panel;
    wings_->screen = target;
    wings_->work = main_->after(hold, [self] {
        if (self) self->dismissWings(true);
    });
}

void IslandController::wingsTapped(const WingsContent& content, QScreen* screen) {
    const WingsTapAction action = wingsTapAction(content);
    if (action.jump) {
        model_->openSession(action.jump->tool, action.jump->sessionID);
        return;
    }
    pendingScreen_ = screen;
    if (action.setDiskFocus) model_->setDiskFocus(true);
    if (action.input) send(*action.input);
}

void IslandController::dismissWings(bool animated) {
    if (!wings_) return;
    const std::unique_ptr<WingsSession> session = std::move(wings_);
    IslandPanel* panel = session->panel;
    if (panel == nullptr) return;
    // A fading notice no longer answers the pointer.
    if (panel->content() != nullptr) panel->content()->disconnect(this);
    panel->onEnter = panel->onExit = [] {};
    if (!animated) {
        discardPanel(panel);
        return;
    }
    fadeWindow(panel, 0, IslandTiming::wingsFadeOutSeconds, [panel] { discardPanel(panel); });
}

void IslandController::setPendingScreen(QScreen* screen) { pendingScreen_ = screen; }

void IslandController::setSuspended(bool suspended) {
    suspended_ = suspended;
    if (suspended) forceClose();
}

void IslandController::outsideClick(QPoint global) {
    if (!pinned_ || !dash_ || !dash_->panel || alertsOpen_ > 0 || debugHold_) return;
    // Presses on the program's own windows (the dashboard's menus, an alert, the settings) are
    // not outside the island.
    if (dash_->panel->geometry().contains(global) || QApplication::topLevelAt(global) != nullptr) return;
    send(IslandInput::outsideClick);
}

void IslandController::desktopSwitched() { forceClose(); }

void IslandController::setReducedMotion(bool reduced) { options_.reducedMotion = reduced; }

void IslandController::presentAlert(AlertSpec alert) {
    auto* dialog = new AlertDialog(std::move(alert));
    ++alertsOpen_;
    connect(dialog, &QDialog::finished, this, [this] {
        --alertsOpen_;
        // The pinned dashboard gets the keyboard back.
        if (pinned_ && dash_ && dash_->panel) dash_->panel->activateWindow();
    });
    dialog->winId();
    if (dash_ && dash_->panel && dash_->panel->windowHandle() != nullptr)
        dialog->windowHandle()->setTransientParent(dash_->panel->windowHandle());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void IslandController::forceClose() {
    send(IslandInput::forceClose);
    dismissWings(false);
}

void IslandController::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &IslandController::screensChanged);
}

} // namespace corvane
