// Nothing here may ever reach a real login manager: every call either runs in dry-run mode or goes
// to a private bus started by the test, and the system bus address is pointed at nothing first.

#include "engine/PowerActions.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

using namespace quillabe;

namespace {

// Sets or removes an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

void EnsureApplication() {
    // Should anything ever ask for the system bus, it finds none.
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/quillabe-test-system-bus", 1);
    static int argc = 1;
    static char name[] = "power_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

TEST(PowerActions, ValuesMapToActions) {
    const std::pair<int, PowerAction> cases[] = {
        {0, PowerAction::Quit},   {1, PowerAction::PowerOff},  {2, PowerAction::LogOff},
        {3, PowerAction::Reboot}, {4, PowerAction::Hibernate}, {5, PowerAction::Suspend},
        {6, PowerAction::None},   {-1, PowerAction::None},     {255, PowerAction::None},
    };
    for (const auto& [value, action] : cases)
        EXPECT_EQ(PowerActionOf(value), action) << value;
    EXPECT_TRUE(EnablePrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(EnablePrivilege("SeShutdownPrivilege", false));
}

TEST(PowerActions, DryRunPrintsWhatItWouldDoAndDoesNothing) {
    EnsureApplication();
    ScopedEnv dry("QUILLABE_POWER_DRY_RUN", "1");
    // Were a call made after all, it would fail here instead of succeeding quietly.
    ScopedEnv bus("QUILLABE_LOGIN1_BUS", "unix:path=/nonexistent/quillabe-test-bus");
    int quits = 0;
    SetQuitCallback([&] { ++quits; });
    const std::pair<int, std::string> cases[] = {
        {0, "dry run: would end the program\n"},
        {1, "dry run: would power off\n"},
        {2, "dry run: would log off (end the session)\n"},
        {3, "dry run: would reboot\n"},
        {4, "dry run: would hibernate\n"},
        {5, "dry run: would suspend\n"},
        {6, ""},
        {-1, ""},
    };
    for (const auto& [value, line] : cases) {
        ::testing::internal::CaptureStdout();
        PowerResult r = ShutdownSystem(value);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), line) << value;
        EXPECT_TRUE(r.ok) << value << ": " << r.error;
    }
    EXPECT_EQ(quits, 0);
    SetQuitCallback(nullptr);
}

TEST(PowerActions, AnyValueButZeroOrEmptyMeansDryRun) {
    for (const char* value : {"1", "yes", "true"}) {
        ScopedEnv dry("QUILLABE_POWER_DRY_RUN", value);
        EXPECT_TRUE(PowerDryRun()) << value;
    }
    for (std::optional<std::string> value :
         {std::optional<std::string>("0"), std::optional<std::string>(""),
          std::optional<std::string>()}) {
        ScopedEnv dry("QUILLABE_POWER_DRY_RUN", value);
        EXPECT_FALSE(PowerDryRun());
    }
}

TEST(PowerActions, UnreachableBusIsReportedNotReplaced) {
    EnsureApplication();
    ScopedEnv bus("QUILLABE_LOGIN1_BUS", "unix:path=/nonexistent/quillabe-test-bus");
    ScopedEnv dry("QUILLABE_POWER_DRY_RUN", std::nullopt);
    PowerResult r = ShutdownSystem(1);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("cannot reach"), std::string::npos) << r.error;
}

// --- A private bus with a fake login manager -------------------------------------------------

class FakeSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(QString Id READ Id)
public:
    QString Id() const { return QStringLiteral("c7"); }
};

class FakeManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::vector<std::string> TakeCalls() {
        std::lock_guard lock(mutex_);
        return std::exchange(calls_, {});
    }
    void FailHibernate(bool fail) { failHibernate_ = fail; }

public slots:
    void PowerOff(bool interactive) { Record("PowerOff", interactive); }
    void Reboot(bool interactive) { Record("Reboot", interactive); }
    void Suspend(bool interactive) { Record("Suspend", interactive); }
    void Hibernate(bool interactive) {
        Record("Hibernate", interactive);
        if (failHibernate_)
            sendErrorReply("org.freedesktop.login1.SleepVerbNotSupported",
                           "Sleep verb not supported");
    }
    void TerminateSession(const QString& id) {
        Record("TerminateSession(" + id.toStdString() + ")");
    }
    QDBusObjectPath GetSessionByPID(uint pid) {
        Record(pid == static_cast<uint>(getpid()) ? "GetSessionByPID(self)" : "GetSessionByPID(?)");
        return QDBusObjectPath("/org/freedesktop/login1/session/c7");
    }

private:
    void Record(const std::string& method, bool interactive) {
        Record(method + (interactive ? "(true)" : "(false)"));
    }
    void Record(std::string call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    std::mutex mutex_;
    std::vector<std::string> calls_;
    std::atomic<bool> failHibernate_ = false;
};

class PrivateBus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureApplication();
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        daemon_ = std::make_unique<QProcess>();
        daemon_->start(daemon, {"--session", "--print-address", "--nofork"});
        if (!daemon_->waitForStarted(5000) || !daemon_->waitForReadyRead(5000))
            return;
        address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
        if (!address_.startsWith("unix:"))
            return;

        // The fake answers from a thread of its own while the caller blocks on its reply.
        thread_ = std::make_unique<QThread>();
        thread_->start();
        manager_ = new FakeManager;
        session_ = new FakeSession;
        manager_->moveToThread(thread_.get());
        session_->moveToThread(thread_.get());
        QDBusConnection c = QDBusConnection::connectToBus(address_, "fake-login1");
        ready_ = c.isConnected() && c.registerService("org.freedesktop.login1") &&
                 c.registerObject("/org/freedesktop/login1", manager_,
                                  QDBusConnection::ExportAllSlots) &&
                 c.registerObject("/org/freedesktop/login1/session/c7", session_,
                                  QDBusConnection::ExportAllProperties);
    }
    static void TearDownTestSuite() {
        QDBusConnection::disconnectFromBus("fake-login1");
        if (thread_) {
            thread_->quit();
            thread_->wait();
        }
        delete manager_;
        delete session_;
        if (daemon_) {
            daemon_->kill();
            daemon_->waitForFinished(5000);
        }
    }
    void SetUp() override {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(ready_) << "the private bus or the fake login manager did not start";
        manager_->TakeCalls();
    }

    static std::unique_ptr<QProcess> daemon_;
    static std::unique_ptr<QThread> thread_;
    static FakeManager* manager_;
    static FakeSession* session_;
    static QString address_;
    static bool ready_;
};
std::unique_ptr<QProcess> PrivateBus::daemon_;
std::unique_ptr<QThread> PrivateBus::thread_;
FakeManager* PrivateBus::manager_ = nullptr;
FakeSession* PrivateBus::session_ = nullptr;
QString PrivateBus::address_;
bool PrivateBus::ready_ = false;

TEST_F(PrivateBus, EachValueCallsTheRightMethod) {
    ScopedEnv bus("QUILLABE_LOGIN1_BUS", address_.toStdString());
    ASSERT_EQ(std::string(std::getenv("QUILLABE_LOGIN1_BUS")), address_.toStdString());
    ScopedEnv dry("QUILLABE_POWER_DRY_RUN", std::nullopt);
    int quits = 0;
    SetQuitCallback([&] { ++quits; });

    const struct {
        int value;
        std::optional<std::string> sessionId;
        std::vector<std::string> calls;
    } cases[] = {
        {1, {}, {"PowerOff(false)"}},
        {2, "c9", {"TerminateSession(c9)"}},
        {2, {}, {"GetSessionByPID(self)", "TerminateSession(c7)"}},
        {3, {}, {"Reboot(false)"}},
        {4, {}, {"Hibernate(false)"}},
        {5, {}, {"Suspend(false)"}},
        {0, {}, {}},
        {6, {}, {}},
        {-1, {}, {}},
    };
    for (const auto& c : cases) {
        ScopedEnv session("XDG_SESSION_ID", c.sessionId);
        PowerResult r = ShutdownSystem(c.value);
        EXPECT_TRUE(r.ok) << c.value << ": " << r.error;
        EXPECT_EQ(manager_->TakeCalls(), c.calls) << c.value;
    }
    EXPECT_EQ(quits, 1); // value 0 only
    SetQuitCallback(nullptr);
}

TEST_F(PrivateBus, RefusalsAreReported) {
    ScopedEnv bus("QUILLABE_LOGIN1_BUS", address_.toStdString());
    ScopedEnv dry("QUILLABE_POWER_DRY_RUN", std::nullopt);
    manager_->FailHibernate(true);
    PowerResult r = ShutdownSystem(4);
    manager_->FailHibernate(false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "org.freedesktop.login1.SleepVerbNotSupported: Sleep verb not supported");
}

TEST_F(PrivateBus, DryRunMakesNoCall) {
    ScopedEnv bus("QUILLABE_LOGIN1_BUS", address_.toStdString());
    ScopedEnv dry("QUILLABE_POWER_DRY_RUN", "1");
    ::testing::internal::CaptureStdout();
    for (int value = 1; value <= 5; ++value)
        EXPECT_TRUE(ShutdownSystem(value).ok);
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(manager_->TakeCalls().empty());
}

} // namespace

#include "PowerActionsTest.moc"
