#pragma once

#include "platform/ProgramLog.h"
#include "store/ClockRecords.h"
#include "store/PunchQueue.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

class Database;
class DatabaseError;
class TimeSource;

// A station's hold on its server: punches go to the server while it answers and to the station's
// own queue while it does not, decided from what the station last knew; the queue is sent in order,
// each punch once, as soon as the server answers again.
class StationLink : public QObject {
    Q_OBJECT

public:
    // Opens (or creates) the queue in the program folder; throws DatabaseError when it cannot.
    StationLink(Database& server, const QString& programFolder, const QString& stationName,
                const TimeSource& time, QObject* parent = nullptr);
    ~StationLink() override;

    // How often a station without its server tries to reach it again.
    void setRetryInterval(std::chrono::milliseconds interval);

    bool isOffline() const { return m_offline; }
    qsizetype queuedPunches();
    // The settings last read from the server; nullopt when the station never had them.
    std::optional<PunchQueue::Settings> cachedSettings();

    // With the server open: keeps what a start without it would need and sends what is queued.
    void startOnline();
    // Without the server: punches are queued and the server is tried again on a timer.
    void startOffline();

    // The punch path. These see through to the server while it answers; when a statement fails
    // and the server no longer answers, the station goes offline and answers from what it knew.
    std::optional<StaffRow> findStaff(const QString& employeeId);
    // The employee whose card it is; while the server is away, as the badges last read from it say.
    std::optional<QString> findBadge(const QString& badge);
    std::optional<ClockRecords::LatestPunch> latestPunchFor(const QString& employeeId);
    // Stores the punch the decision makes (on the server, or queued); the server's record number,
    // or 0 when it was queued or the decision wrote nothing.
    qint64 appendPunch(const QString& employeeId, const ClockRecords::PunchDecision& decide);

    // For reads beside the punch path (the in and out lists, the forced clock-out): true when the
    // error was the server going away, which is now taken care of and need not be shown.
    bool absorb(const DatabaseError& error);
    // One attempt to reach the server again and send the queue, waiting for the connection.
    void retryNow();
    // Brings the cached staff, badges, settings and latest punches up to date from the server.
    void refreshCache();
    // The same at once while the server answers and nothing waits to be sent; a failure keeps the
    // older copy. For changes made on this station, which must not wait for the next timer.
    void refreshWhileOnline();
    // Learns the punches other stations stored since the last look: cheap, so done often, and what
    // keeps an offline decision in step with the other stations.
    void catchUp();

Q_SIGNALS:
    void offlineChanged(bool offline);

private:
    // What the timer runs: the server is looked for on a thread of its own, so a server that does not
    // answer never holds up the clock screen; only once it answers does retryNow() connect.
    void lookForServer();
    // Runs the step on the timer while the server answers and nothing waits to be sent.
    void repeatWhileOnline(QTimer& timer, std::chrono::milliseconds interval, void (StationLink::*step)());
    void runWhileOnline(void (StationLink::*step)());
    bool serverGone();
    void sendQueueAndRefresh();
    // Sends the queue; a server that went away or refused leaves the rest queued. False then.
    bool sendQueue();
    void goOffline();
    // The server answers but refused: what waits stays queued, the station shows its offline mark
    // and tries again later, and the log says why.
    void holdBack(const DatabaseError& error);
    // Sends the queue in order; false when the server went away on the way. Other errors are thrown.
    bool flush();

    Database& m_server;
    QString m_station;
    const TimeSource& m_time;
    std::unique_ptr<PunchQueue> m_queue;
    ProgramLog m_log;
    QString m_lastLogged; // one line per refusal, not one per retry
    QTimer m_retry;
    QTimer m_refresh;
    QTimer m_catchUp;
    bool m_offline = false;
    bool m_looking = false;
};
