#include "clock/WaitingPunches.h"

#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/PunchQueue.h"

#include <QDir>
#include <QFile>

WaitingPunches::WaitingPunches(Database& file, const QString& programFolder)
    : m_file(file)
    , m_path(QDir(programFolder).filePath(PunchQueue::fileName()))
{}

WaitingPunches::~WaitingPunches() = default;

PunchQueue* WaitingPunches::queue(bool create)
{
    // Most stations never wait: their queue file is made only when a punch has to.
    if (!m_queue && (create || QFile::exists(m_path)))
        m_queue = std::make_unique<PunchQueue>(m_path);
    return m_queue.get();
}

bool WaitingPunches::isEmpty()
{
    PunchQueue* waiting = queue(false);
    return !waiting || waiting->isEmpty();
}

qsizetype WaitingPunches::size()
{
    PunchQueue* waiting = queue(false);
    return waiting ? waiting->size() : 0;
}

std::optional<ClockRecords::LatestPunch> WaitingPunches::latestFor(const QString& employeeId)
{
    PunchQueue* waiting = queue(false);
    return waiting ? waiting->latestQueuedFor(employeeId) : std::nullopt;
}

void WaitingPunches::keep(const ClockRecord& record)
{
    queue(true)->enqueue(record);
}

std::optional<qint64> WaitingPunches::store(const ClockRecord& record, std::chrono::milliseconds wait)
{
    // Later punches go behind those that wait, so the file gets them in order.
    if (!isEmpty()) {
        keep(record);
        send(wait);
        return 0;
    }
    try {
        const LockWait shortWait(m_file, wait);
        return ClockRecords(m_file).appendPunch(
            record.employeeId, [&](const auto&) { return std::optional<ClockRecord>(record); });
    } catch (const DatabaseError& error) {
        if (error.isBusy())
            return std::nullopt;
        throw;
    }
}

bool WaitingPunches::send(std::chrono::milliseconds wait)
{
    PunchQueue* waiting = queue(false);
    if (!waiting)
        return true;
    while (const std::optional<PunchQueue::Queued> next = waiting->first()) {
        try {
            const LockWait shortWait(m_file, wait);
            ClockRecords records(m_file);
            // A punch stored just before the program stopped, its removal from the queue lost, is
            // found and not stored twice.
            records.appendPunch(next->record.employeeId, [&](const auto&) {
                return records.contains(next->record) ? std::nullopt
                                                      : std::optional<ClockRecord>(next->record);
            });
        } catch (const DatabaseError& error) {
            if (error.isBusy())
                return false;
            throw;
        }
        waiting->remove(next->sequence);
    }
    return true;
}
