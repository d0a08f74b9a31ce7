#include "platform/ui/FreedesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

FreedesktopNotifier::FreedesktopNotifier(QObject* parent)
    : QObject(parent)
{}

void FreedesktopNotifier::notify(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
    // Application name, no notification to replace, no icon, summary, body, no actions, no hints,
    // the server's own display time.
    call << QStringLiteral("Tellarin") << 0u << QString() << summary << body << QStringList() << QVariantMap()
         << -1;
    // Sent without waiting for the answer: a desktop without the service answers with an error
    // nobody reads.
    bus.send(call);
}
