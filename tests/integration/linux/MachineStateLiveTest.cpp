// The machine's sleep, lock and power saver reaching a real model, through private buses on
// which python3-dbusmock plays logind, a screen saver and power-profiles-daemon.

#include "MachineStateWatcher.h"
#include "QtMainExecutor.h"
#include "ScreensOn.h"
#include "XSession.h"

#include "app/AppModel.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/DbusDaemon.h"
#include "support/ScopedEnvironment.h"
#include "support/fakes/ModelServiceFakes.h"
#include "support/fakes/RecordingOpener.h"
#include "support/fakes/RecordingTerminator.h"
#include "support/fakes/ScriptedAIWatcher.h"
#include "support/fakes/ScriptedMemoryProvider.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace corvane {
namespace {

using test::ChildProcess;
using test::DbusDaemon;

// Debian's interpreter, which python3-dbusmock is installed for (another python3 may come first
// on the PATH).
constexpr const char* kPython = "/usr/bin/python3";
constexpr int kDeadlineMs = 10000;

const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
const QString login1 = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");
const QString screenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString powerProfiles = QStringLiteral("net.hadess.PowerProfiles");
const QString powerProfilesPath = QStringLiteral("/net/hadess/PowerProfiles");

/// The Qt main executor, recording the interval of every repeating timer and counting the timers
/// not yet cancelled.
class RecordingExecutor final : public MainExecutor {
public:
    void async(std::function<void()> task) override { inner_.async(std::move(task)); }
    Date now() const override { return inner_.now(); }
    std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) override {
        return inner_.after(delaySeconds, std::move(action));
    }
    std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                       std::function<void()> action) override {
        intervals.push_back(intervalSeconds);
        return std::make_unique<Counted>(inner_.every(intervalSeconds, leewaySeconds, std::move(action)), live_);
    }
    int liveTimers() const { return *live_; }
    /// The intervals of the last two timers made: the model's memory and AI timers.
    std::vector<double> lastPlan() const {
        return intervals.size() < 2 ? intervals : std::vector<double>(intervals.end() - 2, intervals.end());
    }

    std::vector<double> intervals;

private:
    class Counted final : public TimerHandle {
    public:
        Counted(std::unique_ptr<TimerHandle> inner, std::shared_ptr<int> live)
            : inner_(std::move(inner)), live_(std::move(live)) {
            ++*live_;
        }
        ~Counted() override { cancel(); }
        Counted(const Counted&) = delete;
        Counted& operator=(const Counted&) = delete;
        void cancel() override {
            if (!inner_) return;
            inner_->cancel();
            inner_.reset();
            --*live_;
        }

    private:
        std::unique_ptr<TimerHandle> inner_;
        std::shared_ptr<int> live_;
    };

    QtMainExecutor inner_;
    std::shared_ptr<int> live_ = std::make_shared<int>(0);
};

/// Answers what the test says the screens are doing.
struct FakeScreens {
    std::optional<bool> on = true;
    ScreensOnReader reader() {
        return [this] { return on; };
    }
};

class MachineStateLive : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "CorvaneIntegrationTests";
            static char* argv[] = {name, nullptr};
            application_ = new QCoreApplication(argc, argv);
        }
    }
    static void TearDownTestSuite() {
        delete application_;
        application_ = nullptr;
    }

    void SetUp() override {
        systemDaemon_ = DbusDaemon::start();
        sessionDaemon_ = DbusDaemon::start();
        ASSERT_TRUE(systemDaemon_ && sessionDaemon_) << "dbus-daemon did not start";
        static int count = 0;
        ++count;
        systemName_ = QStringLiteral("corvane-system-%1").arg(count);
        sessionName_ = QStringLiteral("corvane-session-%1").arg(count);
        system_ = QDBusConnection::connectToBus(QString::fromStdString(systemDaemon_->address()), systemName_);
        session_ = QDBusConnection::connectToBus(QString::fromStdString(sessionDaemon_->address()), sessionName_);
        ASSERT_TRUE(system_.isConnected() && session_.isConnected());
    }

    void TearDown() override {
        model_.reset();
        watcher_.reset();
        mocks_.clear();
        QDBusConnection::disconnectFromBus(systemName_);
        QDBusConnection::disconnectFromBus(sessionName_);
    }

    /// Starts python3-dbusmock with `arguments` on the fake system bus (or the session bus) and
    /// waits until it owns `name`.
    void startMock(bool onSystemBus, const QString& name, const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{"/usr/bin/env",
                                      onSystemBus ? "DBUS_SYSTEM_BUS_ADDRESS=" + systemDaemon_->address()
                                                  : "DBUS_SESSION_BUS_ADDRESS=" + sessionDaemon_->address(),
                                      kPython, "-m", "dbusmock", onSystemBus ? "--system" : "--session"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        mocks_.push_back(std::make_unique<ChildProcess>(argv));
        QDBusConnectionInterface* bus = (onSystemBus ? system_ : session_).interface();
        ASSERT_TRUE(test::eventually([&] { return bus->isServiceRegistered(name).value(); }))
            << "dbusmock did not take " << name.toStdString();
    }

    /// logind with one session "c1", which `GetSessionByPID` also finds.
    void startLogind() {
        startMock(true, login1, {"--template", "logind"});
        call(system_, login1, login1Path, mockInterface, "AddSession",
             {QStringLiteral("c1"), QStringLiteral("seat0"), 0U, QStringLiteral("user"), true});
        call(system_, login1, login1Path, mockInterface, "AddMethod",
             {QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSessionByPID"),
              QStringLiteral("u"), QStringLiteral("o"), QStringLiteral("ret = '/org/freedesktop/login1/session/c1'")});
    }

    void startScreenSaver() {
        startMock(false, screenSaver,
                  {screenSaver.toStdString(), screenSaverPath.toStdString(), screenSaver.toStdString()});
    }

    /// A blocking call. Everything the service sent before its reply has been delivered to the
    /// watcher when this returns: the bus keeps a sender's messages in order, and the events the
    /// watcher's connection queued for them have been processed.
    QDBusMessage call(QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                      const char* method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, QString::fromLatin1(method));
        message.setArguments(arguments);
        const QDBusMessage reply = bus.call(message);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << method << ": " << reply.errorMessage().toStdString();
        QCoreApplication::processEvents();
        return reply;
    }

    void prepareForSleep(bool starting) {
        call(system_, login1, login1Path, mockInterface, "EmitSignal",
             {QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), QStringLiteral("b"),
              QVariant::fromValue(QVariantList{starting})});
    }
    void setLockedHint(bool locked) {
        call(system_, login1, sessionPath, QStringLiteral("org.freedesktop.login1.Session"), "SetLockedHint", {locked});
    }
    void screenSaverActive(bool active) {
        call(session_, screenSaver, screenSaverPath, mockInterface, "EmitSignal",
             {screenSaver, QStringLiteral("ActiveChanged"), QStringLiteral("b"), QVariant::fromValue(QVariantList{active})});
    }
    void setProfile(const QString& profile) {
        call(system_, powerProfiles, powerProfilesPath, QStringLiteral("org.freedesktop.DBus.Properties"), "Set",
             {powerProfiles, QStringLiteral("ActiveProfile"), QVariant::fromValue(QDBusVariant(profile))});
    }

    /// The watcher on the two buses and a started model driven by it.
    void startModel(QDBusConnection system, QDBusConnection session) {
        watcher_ = std::make_unique<MachineStateWatcher>(std::move(system), std::move(session), screens_.reader());
        Prefs::registerDefaults(*prefs_);
        provider_->set(PressureLevel::normal);
        AppModel::Services s;
        s.provider = provider_;
        s.ai = std::make_shared<test::ScriptedAIWatcher>();
        const auto terminator = std::make_shared<test::RecordingTerminator>();
        s.terminator = terminator;
        s.forceTerminator = terminator;
        s.running = std::make_shared<test::FixedRunningApps>();
        s.diskAdvisors = std::make_shared<test::ScriptedDiskAdvisors>();
        s.diskCleaner = std::make_shared<test::RecordingDiskCleaner>();
        s.links = std::make_shared<test::FixedSessionLinks>();
        s.opener = std::make_shared<test::RecordingOpener>();
        s.prefs = prefs_;
        s.main = executor_;
        s.queue = executor_;
        s.diskQueue = executor_;
        s.userInitiated = executor_;
        s.lowPowerMode = powerSaverSource(*watcher_);
        model_ = AppModel::create(std::move(s));
        connectModel(*watcher_, model_);
        model_->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return provider_->samples == 1; }, kDeadlineMs));
    }

    void startModel() { startModel(system_, session_); }

    /// Waits until the model is suspended with no timer left.
    ::testing::AssertionResult suspendedWithoutTimers() {
        if (!QTest::qWaitFor([&] { return model_->suspended(); }, kDeadlineMs)) {
            return ::testing::AssertionFailure() << "the model was not suspended";
        }
        if (executor_->liveTimers() != 0) return ::testing::AssertionFailure() << "a timer still runs";
        return ::testing::AssertionSuccess();
    }

    /// Waits until the model has resumed with its two timers and taken one more sample than
    /// `samplesBefore`, at once.
    ::testing::AssertionResult resumedWithASample(int samplesBefore) {
        if (!QTest::qWaitFor([&] { return !model_->suspended() && provider_->samples > samplesBefore; },
                             kDeadlineMs)) {
            return ::testing::AssertionFailure() << "the model did not resume and sample";
        }
        if (provider_->samples != samplesBefore + 1 || executor_->liveTimers() != 2) {
            return ::testing::AssertionFailure() << provider_->samples - samplesBefore << " samples, "
                                                 << executor_->liveTimers() << " timers";
        }
        return ::testing::AssertionSuccess();
    }

    static inline QCoreApplication* application_ = nullptr;
    std::optional<DbusDaemon> systemDaemon_;
    std::optional<DbusDaemon> sessionDaemon_;
    QString systemName_;
    QString sessionName_;
    QDBusConnection system_{QString()};
    QDBusConnection session_{QString()};
    std::vector<std::unique_ptr<ChildProcess>> mocks_;
    FakeScreens screens_;
    std::shared_ptr<RecordingExecutor> executor_ = std::make_shared<RecordingExecutor>();
    std::shared_ptr<test::ScriptedMemoryProvider> provider_ = std::make_shared<test::ScriptedMemoryProvider>();
    std::shared_ptr<InMemoryPreferenceStore> prefs_ = std::make_shared<InMemoryPreferenceStore>();
    std::unique_ptr<MachineStateWatcher> watcher_;
    std::shared_ptr<AppModel> model_;
};

TEST_F(MachineStateLive, SleepStopsTheTimersAndWakeSamplesAtOnce) {
    const test::ScopedEnvironment sessionID("XDG_SESSION_ID", "c1");
    startLogind();
    startModel();
    EXPECT_EQ(executor_->liveTimers(), 2);

    prepareForSleep(true);
    EXPECT_TRUE(suspendedWithoutTimers());
    const int samples = provider_->samples;
    prepareForSleep(false);
    EXPECT_TRUE(resumedWithASample(samples));
}

TEST_F(MachineStateLive, EitherLockHoldsThroughAWakeAndAStaleScreenReading) {
    const test::ScopedEnvironment noSessionID("XDG_SESSION_ID", std::nullopt); // found by process id
    startLogind();
    startScreenSaver();
    startModel();

    setLockedHint(true);
    ASSERT_TRUE(suspendedWithoutTimers());
    int samples = provider_->samples;
    prepareForSleep(true);
    prepareForSleep(false); // waking shows the lock screen: still nobody there
    EXPECT_TRUE(model_->suspended());
    EXPECT_EQ(executor_->liveTimers(), 0);
    EXPECT_EQ(provider_->samples, samples);
    screens_.on = false; // the screens went dark on the lock screen...
    watcher_->checkScreens();
    screens_.on = true; // ...and lit up for the password
    setLockedHint(false);
    EXPECT_TRUE(resumedWithASample(samples));

    samples = provider_->samples;
    screenSaverActive(true);
    EXPECT_TRUE(suspendedWithoutTimers());
    screenSaverActive(false);
    EXPECT_TRUE(resumedWithASample(samples));
}

TEST_F(MachineStateLive, LockedAtStartSuspendsTheModel) {
    const test::ScopedEnvironment sessionID("XDG_SESSION_ID", "c1");
    startLogind();
    setLockedHint(true);
    startModel();
    EXPECT_TRUE(suspendedWithoutTimers());
    EXPECT_TRUE(watcher_->suspended());
}

TEST_F(MachineStateLive, PowerSaverDoublesTheIntervals) {
    startMock(true, powerProfiles, {"--template", "power_profiles_daemon", "--parameters", R"({"ActiveProfile": "power-saver"})"});
    startModel();
    // Read at start: the plan is made again with the long intervals doubled.
    ASSERT_TRUE(QTest::qWaitFor([&] { return executor_->lastPlan() == std::vector<double>{90, 50}; }, kDeadlineMs));
    EXPECT_TRUE(watcher_->powerSaver());

    setProfile(QStringLiteral("balanced"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return executor_->lastPlan() == std::vector<double>{45, 25}; }, kDeadlineMs));
    const std::size_t plans = executor_->intervals.size();
    setProfile(QStringLiteral("performance")); // still no power saver: nothing to reschedule
    setProfile(QStringLiteral("power-saver"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return executor_->lastPlan() == std::vector<double>{90, 50}; }, kDeadlineMs));
    EXPECT_EQ(executor_->intervals.size(), plans + 2);
}

std::vector<std::string> qtMessages;

TEST_F(MachineStateLive, NoBusLeavesTheMachineAwakeAndSaysNothing) {
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            qtMessages.push_back(text.toStdString());
        });
    const QString nowhere = QStringLiteral("unix:path=/nonexistent/corvane/bus");
    startModel(QDBusConnection::connectToBus(nowhere, QStringLiteral("corvane-no-system")),
               QDBusConnection::connectToBus(nowhere, QStringLiteral("corvane-no-session")));
    screens_.on = std::nullopt; // nor a display server to ask
    watcher_->checkScreens();
    // Buses without any of the services answer every question with an error: also quiet.
    MachineStateWatcher emptyBuses(system_, session_, screens_.reader());
    // The errors come back in order before the answers to later calls; a failed session lookup
    // tries once more.
    for (int round = 0; round < 3; ++round) {
        for (QDBusConnection* bus : {&system_, &session_}) bus->interface()->isServiceRegistered(login1);
        QCoreApplication::processEvents();
    }
    qInstallMessageHandler(previous);

    EXPECT_FALSE(model_->suspended());
    EXPECT_FALSE(watcher_->suspended() || watcher_->powerSaver() || emptyBuses.suspended() || emptyBuses.powerSaver());
    EXPECT_EQ(executor_->lastPlan(), (std::vector<double>{45, 25}));
    EXPECT_EQ(qtMessages, std::vector<std::string>{});
    QDBusConnection::disconnectFromBus(QStringLiteral("corvane-no-system"));
    QDBusConnection::disconnectFromBus(QStringLiteral("corvane-no-session"));
}

TEST(ScreensOnReader, AbsentWithoutAPowerManagedDisplay) {
    {
        const test::ScopedEnvironment noDisplay("DISPLAY", std::nullopt);
        EXPECT_EQ(systemScreensOnReader()(), std::nullopt);
    }
    test::XSession x; // Xvfb offers no DPMS extension: asking it must not break the connection
    ASSERT_EQ(x.failure(), "");
    const ScreensOnReader reader = systemScreensOnReader();
    EXPECT_EQ(reader(), std::nullopt);
    EXPECT_EQ(reader(), std::nullopt);
}

} // namespace
} // namespace corvane
