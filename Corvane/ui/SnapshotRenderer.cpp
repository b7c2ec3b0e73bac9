#include "SnapshotRenderer.h"

#include "DashboardFitting.h"
#include "IslandPanel.h"
#include "QtMainExecutor.h"
#include "SettingsForm.h"
#include "SettingsStyle.h"
#include "StandardDashboard.h"
#include "StatusIconPainter.h"
#include "WingsView.h"
#include "app/WorkTracker.h"
#include "island/IslandGeometry.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "prefs/SettingsFormContent.h"
#include "status/StatusItemLook.h"
#include "views/IdleStat.h"
#include "wings/WingsBuilders.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <utility>

namespace corvane {

namespace {

/// Every picture is drawn for a screen with twice as many pixels as points.
constexpr const char* scaleFactor = "2";
/// The moment every text is dated: 2026-12-08 10:00 UTC.
constexpr double frozenUnixSeconds = 1796724000;
/// How long a demonstration model may take to settle before the run fails.
constexpr auto settleLimit = std::chrono::seconds(30);
/// The tray icon is drawn on a dark top panel, in the panel's light text colour, at the slot's
/// 22 points.
constexpr QColor trayPanelColor{40, 40, 40};
constexpr QColor trayTextColor{255, 255, 255};
constexpr int traySlotPoints = 22;

/// The Qt main executor with its clock stopped, so every text about time reads the same.
class FrozenClockExecutor final : public MainExecutor {
public:
    explicit FrozenClockExecutor(Date now) : now_(now) {}

    void async(std::function<void()> task) override { loop_.async(std::move(task)); }
    Date now() const override { return now_; }
    std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) override {
        return loop_.after(delaySeconds, std::move(action));
    }
    std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                       std::function<void()> action) override {
        return loop_.every(intervalSeconds, leewaySeconds, std::move(action));
    }

private:
    QtMainExecutor loop_;
    Date now_;
};

struct Picture {
    QString name;
    QByteArray png;
};

/// A screen without a camera housing, as wide as a common monitor: the floating style.
ScreenGeo snapshotScreen() {
    const Rect frame{0, 0, 1920, 1080};
    const Rect visible{0, 0, 1920, 1048};
    return ScreenGeo::measure(frame, 0, std::nullopt, std::nullopt, visible, true);
}

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

/// `widget` as the screen would show it, laid out and drawn without a window of its own.
QByteArray grabbed(QWidget& widget) {
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    QCoreApplication::processEvents();
    return pngOf(widget.grab().toImage());
}

/// Runs the event loop until `done` holds; false when the limit passed first.
bool settle(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + settleLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Work the last change queued (a redraw, a relayout) lands too.
    QCoreApplication::processEvents();
    return true;
}

/// The dashboard of the model's current screen on its black panel, sized as the island opens it.
QByteArray dashboardPicture(const std::shared_ptr<AppModel>& model, const ScreenGeo& geo,
                            std::optional<std::string> hovered) {
    DashboardContext context = dashboardContext(geo);
    context.animFrame = 1;
    context.hoverDemo = std::move(hovered);
    std::unique_ptr<DashboardView> content = makeStandardDashboard(model, context);
    const double height = fitDashboard(*content, context.width, geo, model->mode() == DashboardMode::clean);
    const IslandLayout target = geo.layout(height, true, false);

    IslandPanel panel(true);
    panel.setContent(content.release(), IslandPanel::Placement::topCentre);
    panel.setShape(dashboardRoundedCorners(target.style), target.cornerRadius);
    panel.resize(static_cast<int>(std::lround(target.rect.width)), static_cast<int>(std::lround(target.rect.height)));
    return grabbed(panel);
}

std::optional<std::string> firstRowOf(const std::shared_ptr<AppModel>& model) {
    if (model->mode() == DashboardMode::optimize) {
        if (model->previewGroups().empty()) return std::nullopt;
        return model->previewGroups().front().id;
    }
    if (model->mode() == DashboardMode::clean) {
        if (!model->diskReport() || model->diskReport()->items.empty()) return std::nullopt;
        return model->diskReport()->items.front().id;
    }
    return std::string(idleStatID);
}

/// The three screens of one scene, each settled before it is drawn; false when one never settled.
bool drawScene(const SnapshotScene& scene, const std::shared_ptr<MainExecutor>& main, const ScreenGeo& geo,
               std::vector<Picture>& pictures) {
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    const std::shared_ptr<AppModel> model = scene.makeModel(main, prefs);
    const auto draw = [&](const char* screen) {
        const QString base = QStringLiteral("dashboard-%1-%2").arg(screen, QString::fromStdString(scene.name));
        pictures.push_back({base + ".png", dashboardPicture(model, geo, std::nullopt)});
        if (scene.hovered) pictures.push_back({base + "-hover.png", dashboardPicture(model, geo, firstRowOf(model))});
    };

    model->islandWillOpen();
    const bool home = settle([&] {
        return model->snapshot().totalBytes > 0 && !model->aiStatuses().empty() && model->idleCandidates().has_value();
    });
    if (!home) return false;
    draw("home");

    model->openOptimize();
    if (!settle([&] { return model->mode() == DashboardMode::optimize && !model->previewLoading(); })) return false;
    draw("optimize");

    model->backHome();
    model->openClean();
    const bool clean = settle([&] {
        return model->mode() == DashboardMode::clean && model->diskReport().has_value() && !model->diskScanning();
    });
    if (!clean) return false;
    draw("clean");
    model->islandDidClose();
    return true;
}

std::vector<std::pair<QString, WingsContent>> wingsKinds(Date now) {
    constexpr double minute = 60;
    const AISession finished{"rollout-2026-12-08T09-14-55", "payments-api", AIActivity::waitingForUser, now};
    const std::optional<FinishedEvent> event =
        finishedEvent(finished, addingSeconds(now, -47 * minute), now, AIToolKind::codex);
    constexpr std::uint64_t GiB = 1ULL << 30;
    return {
        {QStringLiteral("memory-elevated"), wingsForPressure(PressureLevel::elevated, 85)},
        {QStringLiteral("memory-critical"), wingsForPressure(PressureLevel::critical, 94)},
        {QStringLiteral("disk"), wingsForDisk(12 * GiB)},
        {QStringLiteral("disk-low"), wingsForDisk(5 * GiB)},
        {QStringLiteral("waiting"), wingsForAttention(1)},
        {QStringLiteral("waiting-3"), wingsForAttention(3)},
        {QStringLiteral("finished"), wingsForFinished(*event, std::nullopt)},
    };
}

/// A notice as the floating island shows it.
QByteArray wingsPicture(const WingsContent& content, const ScreenGeo& geo) {
    IslandPanel panel(true);
    panel.setShape(dashboardRoundedCorners(IslandStyle::floating), compactCornerRadius(IslandStyle::floating));
    panel.setContent(new WingsView(IslandStyle::floating, content, geo.notchWidth), IslandPanel::Placement::fill);
    const Rect rect = geo.wingsRect(content.floatingText, false);
    panel.resize(static_cast<int>(std::lround(rect.width)), static_cast<int>(std::lround(rect.height)));
    return grabbed(panel);
}

/// The tray icon on a dark panel, at the panel's pixel density.
QByteArray trayPicture(const StatusInputs& inputs, double pixelRatio) {
    const int side = static_cast<int>(std::lround(traySlotPoints * pixelRatio));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(trayPanelColor);
    QPainter painter(&image);
    painter.drawImage(0, 0, StatusIconPainter().draw(statusItemLook(inputs), trayTextColor, side));
    painter.end();
    return pngOf(image);
}

void addTrayIcons(double pixelRatio, std::vector<Picture>& pictures) {
    const std::pair<PressureLevel, const char*> levels[] = {
        {PressureLevel::normal, "normal"}, {PressureLevel::elevated, "elevated"}, {PressureLevel::critical, "critical"}};
    const int percents[] = {42, 78, 93};
    for (int i = 0; i < 3; ++i) {
        for (const bool percent : {false, true}) {
            for (const bool dot : {false, true}) {
                StatusInputs inputs;
                inputs.level = levels[i].first;
                inputs.percent = percents[i];
                inputs.showPercent = percent;
                inputs.waiting = dot ? 1 : 0;
                QString name = QStringLiteral("tray-%1").arg(levels[i].second);
                if (percent) name += QStringLiteral("-percent");
                if (dot) name += QStringLiteral("-dot");
                pictures.push_back({name + ".png", trayPicture(inputs, pixelRatio)});
            }
        }
    }
}

/// The settings window with the default preferences, as an X11 session shows it.
QByteArray settingsPicture(Date now) {
    InMemoryPreferenceStore prefs;
    Prefs::registerDefaults(prefs);
    const SettingsFormContent content = settingsFormContent(prefs, now, LaunchAtLoginState{}, DesktopSession{});
    SettingsForm form(content, [](const SettingsControl&, bool) {});
    form.setFixedSize(SettingsStyle::windowWidth, SettingsStyle::windowHeight);
    return grabbed(form);
}

std::optional<std::string> writePicture(const QDir& folder, const Picture& picture) {
    QSaveFile file(folder.filePath(picture.name));
    if (file.open(QIODevice::WriteOnly) && file.write(picture.png) == picture.png.size() && file.commit()) {
        return std::nullopt;
    }
    return (file.fileName() + QStringLiteral("（") + file.errorString() + QStringLiteral("）")).toStdString();
}

/// Qt's chatter about what the off-screen platform cannot do (raising a window, a missing
/// runtime folder) is no news here; only its errors reach standard error.
void reportQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

/// Only the program's own settings decide how the pictures look.
void fixRendering() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QT_SCALE_FACTOR", scaleFactor, 1);
    for (const char* name : {"QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY",
                             "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE"}) {
        ::unsetenv(name);
    }
}

/// Draws everything and writes it; the exit status.
int drawAndWrite(const std::string& folder, const std::vector<SnapshotScene>& scenes, double pixelRatio) {
    const Date now = dateFromUnixSeconds(frozenUnixSeconds);
    const auto main = std::make_shared<FrozenClockExecutor>(now);
    const ScreenGeo geo = snapshotScreen();
    std::vector<Picture> pictures;
    for (const SnapshotScene& scene : scenes) {
        if (!drawScene(scene, main, geo, pictures)) {
            std::cerr << "corvane: 演示数据 " << scene.name << " 没有在限定时间内就绪，截图未完成。\n";
            return 1;
        }
    }
    for (const auto& [name, content] : wingsKinds(now)) {
        pictures.push_back({QStringLiteral("wings-%1.png").arg(name), wingsPicture(content, geo)});
    }
    addTrayIcons(pixelRatio, pictures);
    pictures.push_back({QStringLiteral("settings.png"), settingsPicture(now)});

    const QDir target(QString::fromStdString(folder));
    for (const Picture& picture : pictures) {
        if (const auto failure = writePicture(target, picture)) {
            std::cerr << "corvane: 无法写入截图 " << *failure << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

int renderSnapshots(int argc, char** argv, const std::string& folder, const std::vector<SnapshotScene>& scenes) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "corvane: 无法创建截图文件夹 " << folder << "（" << error.message() << "）\n";
        return 1;
    }
    fixRendering();
    qInstallMessageHandler(reportQtErrorsOnly);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    // Drawn from the event loop, like everything the model publishes to the widgets.
    QTimer::singleShot(0, &app, [&] { QCoreApplication::exit(drawAndWrite(folder, scenes, app.devicePixelRatio())); });
    return QApplication::exec();
}

} // namespace corvane
