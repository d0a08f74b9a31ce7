#pragma once

#include "settings/SystemClockSetter.h"

#include <QObject>

// Sets the computer's clock through systemd's time service on the system bus, which asks the user
// for authorisation in the system's own way.
class TimedateClockSetter final : public QObject, public SystemClockSetter {
    Q_OBJECT

public:
    using QObject::QObject;
    void setTime(const QDateTime& moment, std::function<void(const Result&)> finished) override;

    // The sentence for an error the time service answered with.
    static QString problemFor(const QString& errorName, const QString& errorMessage);
};
