#include "clock/StationLink.h"

#include "platform/TimeSource.h"
#include "store/BadgeTable.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/DayNumber.h"
#include "store/ProgramSettingsTable.h"
#include "store/StaffTable.h"

#include <QDir>

namespace {
// How far back the latest punch of each employee is kept for deciding offline; an older IN has
// been closed by the forced clock-out long before.
constexpr qint32 rememberedDays = 31;
// A retry holds up the clock screen while it waits; libpq waits at least two seconds.
constexpr int retryConnectSeconds = 2;
} // namespace

StationLink::StationLink(Database& server, const QString& programFolder, const QString& stationName,
                         const TimeSource& time, QObject* parent)
    : QObject(parent)
    , m_server(server)
    , m_station(stationName)
    , m_time(time)
    , m_queue(std::make_unique<PunchQueue>(QDir(programFolder).filePath(PunchQueue::fileName())))
    , m_log(programFolder, time)
{
    m_retry.setInterval(std::chrono::seconds(3));
    connect(&m_retry, &QTimer::timeout, this, &StationLink::lookForServer);
    // Other stations punch too: what this one knows of them must be recent when its server goes.
    repeatWhileOnline(m_refresh, std::chrono::minutes(5), &StationLink::refreshCache);
    repeatWhileOnline(m_catchUp, std::chrono::seconds(10), &StationLink::catchUp);
}

void StationLink::repeatWhileOnline(QTimer& timer, std::chrono::milliseconds interval,
                                    void (StationLink::*step)())
{
    timer.setInterval(interval);
    connect(&timer, &QTimer::timeout, this, [this, step] { runWhileOnline(step); });
    timer.start();
}

void StationLink::runWhileOnline(void (StationLink::*step)())
{
    // Queued punches go first; what is learnt after them is up to date.
    if (m_offline || !m_queue->isEmpty())
        return;
    try {
        (this->*step)();
    } catch (const DatabaseError& error) {
        // A failed look leaves the older knowledge; the punch path shows real faults.
        absorb(error);
    }
}

void StationLink::refreshWhileOnline()
{
    runWhileOnline(&StationLink::refreshCache);
}

StationLink::~StationLink() = default;

void StationLink::lookForServer()
{
    const DatabaseLocation* location = m_server.serverLocation();
    if (!m_offline || m_looking || !location)
        return;
    m_looking = true;
    probeServerLater(*location, this, [this](const QString& error) {
        m_looking = false;
        if (error.isEmpty())
            retryNow();
    });
}

void StationLink::setRetryInterval(std::chrono::milliseconds interval)
{
    m_retry.setInterval(interval);
}

qsizetype StationLink::queuedPunches()
{
    return m_queue->size();
}

std::optional<PunchQueue::Settings> StationLink::cachedSettings()
{
    return m_queue->settings();
}

void StationLink::startOnline()
{
    m_offline = false;
    m_retry.stop();
    sendQueueAndRefresh();
}

void StationLink::sendQueueAndRefresh()
{
    if (!sendQueue())
        return;
    try {
        refreshCache();
    } catch (const DatabaseError& error) {
        if (!absorb(error))
            holdBack(error);
    }
}

bool StationLink::sendQueue()
{
    try {
        if (flush()) {
            m_lastLogged.clear();
            return true;
        }
    } catch (const DatabaseError& error) {
        if (!absorb(error))
            holdBack(error);
    }
    return false;
}

void StationLink::holdBack(const DatabaseError& error)
{
    const QString line =
        QStringLiteral("The clock database refused a punch; %1 punch(es) wait in the queue: %2")
            .arg(m_queue->size())
            .arg(error.userMessage());
    if (error.userMessage() != m_lastLogged)
        m_log.write(line);
    m_lastLogged = error.userMessage();
    goOffline();
}

void StationLink::startOffline()
{
    goOffline();
}

std::optional<StaffRow> StationLink::findStaff(const QString& employeeId)
{
    if (!m_offline) {
        try {
            return StaffTable(m_server).find(employeeId);
        } catch (const DatabaseError&) {
            if (!serverGone())
                throw;
        }
    }
    return m_queue->findStaff(employeeId);
}

std::optional<QString> StationLink::findBadge(const QString& badge)
{
    if (!m_offline) {
        try {
            return BadgeTable(m_server).employeeFor(badge);
        } catch (const DatabaseError&) {
            if (!serverGone())
                throw;
        }
    }
    return m_queue->findBadge(badge);
}

std::optional<ClockRecords::LatestPunch> StationLink::latestPunchFor(const QString& employeeId)
{
    // Punches still queued are later than anything on the server.
    if (!m_offline && m_queue->isEmpty()) {
        try {
            return ClockRecords(m_server).latestPunchFor(employeeId);
        } catch (const DatabaseError&) {
            if (!serverGone())
                throw;
        }
    }
    return m_queue->latestPunchFor(employeeId);
}

qint64 StationLink::appendPunch(const QString& employeeId, const ClockRecords::PunchDecision& decide)
{
    if (!m_offline && m_queue->isEmpty()) {
        // Queued first, as decided from what the station knows: should the server commit the punch
        // and the answer be lost with the connection, the next send finds the station's number on the
        // server and does not store the punch twice; should the server never get it, it is sent then.
        const std::optional<ClockRecord> fallback = decide(m_queue->latestPunchFor(employeeId));
        const qint64 sequence = fallback ? m_queue->enqueue(*fallback) : 0;
        try {
            std::optional<ClockRecord> written;
            const auto serverDecides = [&](const std::optional<ClockRecords::LatestPunch>& latest) {
                written = decide(latest);
                return written;
            };
            const qint64 number =
                sequence ? ClockRecords(m_server).appendPunch(employeeId, serverDecides, m_station, sequence)
                         : ClockRecords(m_server).appendPunch(employeeId, serverDecides);
            m_queue->settle(sequence, written);
            return number;
        } catch (const DatabaseError& error) {
            if (serverGone()) {
                // A connection that a restarted server dropped comes straight back and sends it.
                retryNow();
                return 0;
            }
            if (!sequence)
                throw;
            holdBack(error); // queued already: sent once the server takes it
            return 0;
        }
    }
    // While anything is queued, later punches queue behind it, so the server gets them in order.
    const bool wasOffline = m_offline;
    const std::optional<ClockRecord> record = decide(m_queue->latestPunchFor(employeeId));
    if (!record)
        return 0;
    m_queue->enqueue(*record);
    if (!m_offline)
        sendQueue();
    else if (!wasOffline)
        retryNow(); // a connection the server dropped on restart comes straight back
    return 0;
}

bool StationLink::absorb(const DatabaseError&)
{
    if (m_offline)
        return true;
    return serverGone();
}

void StationLink::retryNow()
{
    if (!m_offline)
        return;
    if (!m_server.reconnect(retryConnectSeconds))
        return;
    m_offline = false;
    m_retry.stop();
    Q_EMIT offlineChanged(false);
    sendQueueAndRefresh();
}

void StationLink::refreshCache()
{
    m_queue->keepSettings(ApplicationTable(m_server).read(), ProgramSettingsTable(m_server).read());
    m_queue->keepStaff(StaffTable(m_server).all());
    m_queue->keepBadges(BadgeTable(m_server).all());
    if (m_queue->isEmpty()) {
        // Read first: a punch stored while the latest punches are read is caught up with later.
        const qint64 highest = ClockRecords(m_server).highestRecordNumber();
        m_queue->rememberAll(
            ClockRecords(m_server).latestPunches(DayNumber::of(m_time.today()) - rememberedDays));
        m_queue->catchUp({}, highest);
    }
}

void StationLink::catchUp()
{
    const std::optional<qint64> seen = m_queue->highestSeen();
    // Never looked yet: the whole picture, rather than every record ever stored.
    if (!seen) {
        refreshCache();
        return;
    }
    qint64 highest = 0;
    const auto latest = ClockRecords(m_server).latestPunchesAfter(*seen, &highest);
    m_queue->catchUp(latest, highest);
}

bool StationLink::serverGone()
{
    if (m_server.isReachable())
        return false;
    goOffline();
    return true;
}

void StationLink::goOffline()
{
    const bool changed = !m_offline;
    m_offline = true;
    if (!m_retry.isActive())
        m_retry.start();
    if (changed)
        Q_EMIT offlineChanged(true);
}

bool StationLink::flush()
{
    while (const std::optional<PunchQueue::Queued> next = m_queue->first()) {
        try {
            ClockRecords(m_server).appendQueued(m_station, next->sequence, next->record);
        } catch (const DatabaseError&) {
            if (serverGone())
                return false;
            throw;
        }
        // A crash here leaves the punch queued; the server's note of it keeps it from a second send.
        m_queue->settle(next->sequence, next->record);
    }
    return true;
}
