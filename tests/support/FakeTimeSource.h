#pragma once

#include "platform/TimeSource.h"

// A clock that stands still until a test moves it; like the system's, now() drops the milliseconds.
class FakeTimeSource final : public TimeSource {
public:
    explicit FakeTimeSource(QDateTime start = QDateTime(QDate(2026, 12, 4), QTime(8, 0)))
        : m_now(std::move(start))
    {}
    QDateTime now() const override { return m_now.addMSecs(-m_now.time().msec()); }
    QDateTime preciseNow() const override { return m_now; }
    void set(const QDateTime& moment) { m_now = moment; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }
    void advanceMilliseconds(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now;
};
