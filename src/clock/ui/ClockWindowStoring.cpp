// The clock screen's write of a punch on the file. Another program writing the file (a purge, an
// import from the command line) holds its lock for a moment: the punch is tried again in short steps
// with the panel up, the screen going on meanwhile, and after half a minute it waits in the
// station's queue, stored once the lock frees. The employee never sees an error for it.
#include "clock/ui/ClockWindow.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"

namespace {
// Each try holds the screen up at most this long.
constexpr std::chrono::milliseconds stepWait(100);
constexpr int patienceSeconds = 30;
constexpr int sendEverySeconds = 2;
} // namespace

std::optional<qint64> ClockWindow::storeOnFile(const ClockRecord& record)
{
    try {
        return m_waiting.store(record, stepWait);
    } catch (const DatabaseError& error) {
        return keepWaiting(record, error.userMessage());
    }
}

qint64 ClockWindow::keepWaiting(const ClockRecord& record, const QString& reason)
{
    m_waiting.keep(record); // a queue that cannot be written either is the one error shown
    m_log.write(
        QStringLiteral("The punch of %1 at %2 waits in the queue: %3")
            .arg(record.employeeId, record.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), reason));
    return 0;
}

void ClockWindow::startStoring(const Punch& punch, const ClockRecord& record)
{
    m_storing = Storing{punch, record, m_state.time.preciseNow().addSecs(patienceSeconds)};
}

void ClockWindow::storeWaitingPunches()
{
    if (m_link)
        return;
    const QDateTime precise = m_state.time.preciseNow();
    try {
        if (m_storing) {
            std::optional<qint64> number = storeOnFile(m_storing->record);
            if (!number && precise < m_storing->until)
                return;
            if (!number)
                number = keepWaiting(m_storing->record,
                                     QStringLiteral("another program held the clock database for %1 seconds")
                                         .arg(patienceSeconds));
            const Punch punch = m_storing->punch;
            m_storing.reset();
            afterRecordWritten(punch, *number);
            return;
        }
        if (m_nextSend.isValid() && precise < m_nextSend)
            return;
        m_nextSend = precise.addSecs(sendEverySeconds);
        if (!m_waiting.isEmpty() && m_waiting.send(stepWait) && m_state.settings.showInOutLists)
            refreshInOutLists();
    } catch (const DatabaseError& error) {
        m_storing.reset();
        m_log.write(QStringLiteral("Waiting punches not stored: ") + error.userMessage());
        reportDatabaseError(error.userMessage());
    }
}
