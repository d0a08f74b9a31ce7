#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// Sets the computer's date and time. The system may ask the user for authorisation first, so the
// answer comes back later through the callback; the event loop keeps running meanwhile.
class SystemClockSetter {
public:
    struct Result {
        bool done = false;
        QString problem; // one sentence for the user when not done
    };
    virtual ~SystemClockSetter() = default;
    virtual void setTime(const QDateTime& moment, std::function<void(const Result&)> finished) = 0;
};
