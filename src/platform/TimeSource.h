#pragma once

#include <QDateTime>

// The one place the program asks what time it is, so every rule can be run at any moment in tests.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QDateTime now() const = 0;
    // To the millisecond, for how long something stays on screen; now() is what gets stored.
    virtual QDateTime preciseNow() const { return now(); }
    QDate today() const { return now().date(); }
};

// Local wall-clock time truncated to the second: stored times carry no fractions.
class SystemTimeSource final : public TimeSource {
public:
    QDateTime now() const override;
    QDateTime preciseNow() const override;
};
