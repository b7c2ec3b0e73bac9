#include "StatusItemController.h"

#include "QtText.h"

#include "StatusIconPainter.h"

#include "prefs/Prefs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPalette>
#include <QScreen>

namespace corvane {

namespace {

/// The normal icon follows the panel, which Qt cannot see: the palette's text colour stands in.
QColor templateColor() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

} // namespace

StatusItemController::StatusItemController(std::shared_ptr<AppModel> model, std::shared_ptr<PreferenceStore> prefs,
                                           std::function<void()> openActivityMonitor, Clock clock, QObject* parent)
    : QObject(parent), model_(std::move(model)), prefs_(std::move(prefs)),
      openActivityMonitor_(std::move(openActivityMonitor)), clock_(std::move(clock)) {
    const auto items = statusMenu(false);
    for (std::size_t i = 0; i < items.size() && i < menuActions_.size(); ++i) {
        if (items[i].isSeparator()) {
            menu_.addSeparator();
            continue;
        }
        QAction* action = menu_.addAction(QString());
        connect(action, &QAction::triggered, this,
                [this, action] { perform(static_cast<StatusMenuAction>(action->data().toInt())); });
        menuActions_[i] = action;
    }
    updateMenu();
    // Rebuilt on every opening: the pause also ends by itself, without any notification.
    connect(&menu_, &QMenu::aboutToShow, this, &StatusItemController::updateMenu);
    tray_.setContextMenu(&menu_);
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) onToggle(clickedScreen());
    });

    const auto request = scheduledRefresh_.requester();
    modelChanges_ = model_->observe([request](AppModel::Field) { request(); });
    preferenceChanges_ = prefs_->onChange([request](std::string_view) { request(); });
    QCoreApplication::instance()->installEventFilter(this);
    refresh();
}

StatusItemController::~StatusItemController() = default;

void StatusItemController::refresh() {
    const auto look = refresher_.refresh(
        statusInputs(model_->verdict().level, model_->snapshot(), *prefs_, model_->attentionCount()));
    if (look) draw(*look);
}

bool StatusItemController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange) {
        refresher_.invalidate();
        refresh();
    }
    return QObject::eventFilter(watched, event);
}

void StatusItemController::draw(const StatusItemLook& look) {
    tray_.setIcon(painter_.icon(look, templateColor()));
    tray_.setToolTip(QString::fromStdString(look.a11yLabel));
    tray_.setVisible(look.visible);
}

void StatusItemController::updateMenu() {
    const auto items = statusMenu(Prefs::isPaused(*prefs_, clock_()));
    for (std::size_t i = 0; i < items.size() && i < menuActions_.size(); ++i) {
        QAction* action = menuActions_[i];
        if (action == nullptr || !items[i].action) continue;
        action->setText(qtText(items[i].title));
        action->setShortcut(items[i].keyEquivalent.empty()
                                ? QKeySequence()
                                : QKeySequence(QStringLiteral("Ctrl+") + qtText(items[i].keyEquivalent)));
        action->setData(static_cast<int>(*items[i].action));
    }
}

void StatusItemController::perform(StatusMenuAction action) {
    switch (action) {
    case StatusMenuAction::openActivityMonitor: openActivityMonitor_(); break;
    case StatusMenuAction::openSettings: model_->openSettings(); break;
    case StatusMenuAction::togglePause:
        togglePauseFromMenu(*prefs_, clock_(), refresher_);
        refresh();
        break;
    case StatusMenuAction::quit: QCoreApplication::quit(); break;
    }
}

QScreen* StatusItemController::clickedScreen() const {
    // The pointer first: a click leaves it on the icon, while Qt places an icon embedded in an
    // XEmbed tray relative to the tray's window, not the screen.
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos())) return screen;
    const QRect icon = tray_.geometry();
    return icon.isEmpty() ? nullptr : QGuiApplication::screenAt(icon.center());
}

} // namespace corvane
