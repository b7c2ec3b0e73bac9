#include "SettingsWindowController.h"

#include "SettingsForm.h"
#include "SettingsStyle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// A far-off change is checked again after a day rather than overflowing the timer.
constexpr double longestTimerSeconds = 24 * 3600;

int timerMilliseconds(double seconds) {
    // Rounded up: a timer that fires before the moment would find nothing changed yet.
    return static_cast<int>(std::ceil(std::clamp(seconds, 0.0, longestTimerSeconds) * 1000));
}

// Holds a store subscription for as long as its parent, the window, lives.
class SubscriptionOwner final : public QObject {
public:
    SubscriptionOwner(PreferenceSubscription subscription, QObject* parent)
        : QObject(parent), subscription_(std::move(subscription)) {}

private:
    PreferenceSubscription subscription_;
};

} // namespace

SettingsWindowController::SettingsWindowController(std::shared_ptr<PreferenceStore> store,
                                                   std::shared_ptr<LoginItem> loginItem, Clock clock,
                                                   DesktopSession session)
    : store_(std::move(store)), loginItem_(std::move(loginItem)), clock_(std::move(clock)),
      session_(std::move(session)) {}

SettingsWindowController::~SettingsWindowController() {
    delete window_.data();
}

void SettingsWindowController::show() {
    // A window closed earlier in this event-loop turn still awaits its deletion: showing it again
    // would let it vanish a moment later, so a fresh one is built.
    if (window_ && !window_->isVisible()) window_ = nullptr;
    if (!window_) open();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

QWidget* SettingsWindowController::window() const {
    return window_.data();
}

void SettingsWindowController::open() {
    launch_ = {loginItem_->isEnabled(), std::nullopt};
    const auto content = settingsFormContent(*store_, clock_(), launch_, session_);
    auto* window = new SettingsForm(content, [this](const SettingsControl& control, bool on) { use(control, on); });
    window_ = window;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowTitle(QStringLiteral("Corvane 设置"));
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(SettingsStyle::windowWidth, SettingsStyle::windowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() - window->rect().center());
    }

    contentTimer_ = new QTimer(window);
    contentTimer_->setSingleShot(true);
    contentTimer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(contentTimer_, &QTimer::timeout, window, [this] { refresh(); });

    // The store may notify from any thread: hop to the Qt thread, where the window's pointer is
    // read; a notification that arrives after the window closed finds it gone.
    auto subscription = store_->onChange([this, target = QPointer<SettingsForm>(window)](std::string_view) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, target] {
                if (target) refresh();
            },
            Qt::QueuedConnection);
    });
    new SubscriptionOwner(std::move(subscription), window);
    refresh();
}

void SettingsWindowController::use(const SettingsControl& control, bool on) {
    launch_ = useSettingsControl(control, on, clock_(), *store_, *loginItem_, launch_);
    refresh();
}

void SettingsWindowController::refresh() {
    if (!window_) return;
    const Date now = clock_();
    const auto content = settingsFormContent(*store_, now, launch_, session_);
    window_->display(content);
    if (content.changesAt) {
        contentTimer_->start(timerMilliseconds(secondsBetween(now, *content.changesAt)));
    } else {
        contentTimer_->stop();
    }
}

} // namespace corvane
