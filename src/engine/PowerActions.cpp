#include "engine/PowerActions.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace quillabe {
namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";
constexpr int kCallTimeoutMs = 15000;

struct ActionRow {
    PowerAction action;
    const char* wouldDo; // the dry-run wording
    const char* method;  // the logind manager method; none for ending the program
};

// Indexed by the end-of-batch value.
constexpr std::array<ActionRow, 6> kActions = {{
    {PowerAction::Quit, "end the program", nullptr},
    {PowerAction::PowerOff, "power off", "PowerOff"},
    {PowerAction::LogOff, "log off (end the session)", "TerminateSession"},
    {PowerAction::Reboot, "reboot", "Reboot"},
    {PowerAction::Hibernate, "hibernate", "Hibernate"},
    {PowerAction::Suspend, "suspend", "Suspend"},
}};

std::function<void()>& QuitCallback() {
    static std::function<void()> quit = [] { QCoreApplication::quit(); };
    return quit;
}

std::string ErrorText(const QDBusMessage& reply) {
    return (reply.errorName() + ": " + reply.errorMessage()).toStdString();
}

// A connection to the bus the calls go to, disconnected when it ends.
class Login1Bus {
public:
    Login1Bus() {
        const QByteArray address = qgetenv("QUILLABE_LOGIN1_BUS");
        if (address.isEmpty()) {
            connection_ = QDBusConnection::systemBus();
        } else {
            static int serial = 0;
            name_ = QStringLiteral("quillabe-login1-%1").arg(++serial);
            connection_ = QDBusConnection::connectToBus(QString::fromLocal8Bit(address), name_);
        }
    }
    ~Login1Bus() {
        if (!name_.isEmpty())
            QDBusConnection::disconnectFromBus(name_);
    }
    Login1Bus(const Login1Bus&) = delete;
    Login1Bus& operator=(const Login1Bus&) = delete;

    bool Connected(std::string& error) const {
        if (connection_.isConnected())
            return true;
        error = "cannot reach the login manager's bus: " +
                ErrorText(QDBusMessage::createError(connection_.lastError()));
        return false;
    }

    // Calls the method and returns the reply, or nothing with the error text.
    std::optional<QDBusMessage> Call(const QString& path, const QString& interface,
                                     const QString& method, const QVariantList& args,
                                     std::string& error) const {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
        call.setArguments(args);
        QDBusMessage reply = connection_.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            error = ErrorText(reply);
            return std::nullopt;
        }
        return reply;
    }

private:
    QString name_;
    QDBusConnection connection_{QString()};
};

// The session to end: the one the desktop started us in, else the one this process belongs to.
std::optional<QString> SessionId(const Login1Bus& bus, std::string& error) {
    const QByteArray fromEnv = qgetenv("XDG_SESSION_ID");
    if (!fromEnv.isEmpty())
        return QString::fromLocal8Bit(fromEnv);
    auto path = bus.Call(kManagerPath, kManager, "GetSessionByPID",
                         {QVariant::fromValue(static_cast<uint>(getpid()))}, error);
    if (!path || path->arguments().isEmpty())
        return std::nullopt;
    const QString sessionPath = path->arguments().at(0).value<QDBusObjectPath>().path();
    auto id = bus.Call(sessionPath, "org.freedesktop.DBus.Properties", "Get",
                       {QString(kSession), QStringLiteral("Id")}, error);
    if (!id || id->arguments().isEmpty())
        return std::nullopt;
    QString text = id->arguments().at(0).value<QDBusVariant>().variant().toString();
    if (text.isEmpty()) {
        error = "the login manager named no session for this process";
        return std::nullopt;
    }
    return text;
}

PowerResult CallLogin1(const ActionRow& row) {
    PowerResult result;
    Login1Bus bus;
    if (!bus.Connected(result.error)) {
        result.ok = false;
        return result;
    }
    QVariantList args;
    if (row.action == PowerAction::LogOff) {
        auto id = SessionId(bus, result.error);
        if (!id) {
            result.ok = false;
            return result;
        }
        args << *id;
    } else {
        args << false; // not interactive: never let polkit hold the batch's end on a prompt
    }
    result.ok = bus.Call(kManagerPath, kManager, row.method, args, result.error).has_value();
    return result;
}

} // namespace

PowerAction PowerActionOf(int value) {
    if (value < 0 || value >= static_cast<int>(kActions.size()))
        return PowerAction::None;
    return kActions[static_cast<size_t>(value)].action;
}

bool EnablePrivilege(const std::string& /*name*/, bool /*enable*/) {
    return true;
}

void SetQuitCallback(std::function<void()> quit) {
    QuitCallback() = quit ? std::move(quit) : [] { QCoreApplication::quit(); };
}

bool PowerDryRun() {
    const char* value = std::getenv("QUILLABE_POWER_DRY_RUN");
    return value && *value && std::string_view(value) != "0";
}

PowerResult ShutdownSystem(int value) {
    if (PowerActionOf(value) == PowerAction::None)
        return {};
    const ActionRow& row = kActions[static_cast<size_t>(value)];
    if (PowerDryRun()) {
        std::printf("dry run: would %s\n", row.wouldDo);
        std::fflush(stdout);
        return {};
    }
    EnablePrivilege("SeShutdownPrivilege", true);
    PowerResult result;
    if (row.action == PowerAction::Quit)
        QuitCallback()();
    else
        result = CallLogin1(row);
    EnablePrivilege("SeShutdownPrivilege", false);
    return result;
}

} // namespace quillabe
