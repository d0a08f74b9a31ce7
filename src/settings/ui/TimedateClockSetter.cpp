#include "settings/ui/TimedateClockSetter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("org.freedesktop.timedate1");
const QString unchanged = QStringLiteral("The computer's date and time were not changed: ");
// Long enough for someone to type an administrator's password into the system's prompt.
constexpr int replyTimeoutMs = 5 * 60 * 1000;
} // namespace

QString TimedateClockSetter::problemFor(const QString& errorName, const QString& errorMessage)
{
    if (errorName == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        return unchanged + QStringLiteral("automatic time synchronisation is on. Turn it off in the system's "
                                          "date and time settings first.");
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
        errorName.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error")))
        return unchanged + QStringLiteral("the system did not authorise the change.");
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.Spawn.ChildExited"))
        return unchanged + QStringLiteral("the system's time service (systemd-timedated) is not available.");
    return unchanged + (errorMessage.isEmpty() ? errorName : errorMessage);
}

void TimedateClockSetter::setTime(const QDateTime& moment, std::function<void(const Result&)> finished)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        finished({false, unchanged + QStringLiteral("the system bus cannot be reached.")});
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/timedate1"),
                                                       service, QStringLiteral("SetTime"));
    call << static_cast<qlonglong>(moment.toMSecsSinceEpoch() * 1000) << false << true;
    call.setInteractiveAuthorizationAllowed(true);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [finished = std::move(finished)](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<> reply = *done;
                done->deleteLater();
                if (reply.isError())
                    finished({false, problemFor(reply.error().name(), reply.error().message())});
                else
                    finished({true, {}});
            });
}
