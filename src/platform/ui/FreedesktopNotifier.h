#pragma once

#include "platform/DesktopNotifier.h"

#include <QObject>

// Desktop notifications through the session bus's org.freedesktop.Notifications. The call is sent
// without waiting for its answer; no bus, no service or an error answer leave no trace.
class FreedesktopNotifier final : public QObject, public DesktopNotifier {
    Q_OBJECT

public:
    explicit FreedesktopNotifier(QObject* parent = nullptr);
    void notify(const QString& summary, const QString& body) override;
};
