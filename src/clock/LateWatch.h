#pragma once

#include "clock/LateArrivals.h"

#include <QDate>
#include <QObject>
#include <QSet>
#include <QTimer>

class Database;
class DesktopNotifier;
class Session;
class TimeSource;

// Looks once a minute at who is late: says how many are, and with the option on has the desktop
// tell of each one once a day. Whom it told is kept in the program folder, so a restart within
// the day tells no one twice.
class LateWatch : public QObject {
    Q_OBJECT

public:
    LateWatch(Database& database, const TimeSource& time, const Session& session, DesktopNotifier& notifier,
              QObject* parent = nullptr);

    // Checks now, then at the start of every minute.
    void start();
    void check();
    const QList<LateArrivals::Entry>& late() const { return m_late; }
    // The file that keeps whom the desktop was told of today.
    static QString noticeFileName() { return QStringLiteral("LateNotices.txt"); }
    // One line of the desktop's message: "08:00  Ann Smith (A1)".
    static QString noticeLine(const LateArrivals::Entry& entry);

Q_SIGNALS:
    void lateChanged(int count);

private:
    void tell(const QList<LateArrivals::Entry>& late, const QDate& today);
    void remember(const QDate& today);
    void recall(const QDate& today);

    Database& m_database;
    const TimeSource& m_time;
    const Session& m_session;
    DesktopNotifier& m_notifier;
    QTimer m_timer;
    QList<LateArrivals::Entry> m_late;
    QDate m_toldDay;
    QSet<QString> m_told;
};
