// The clock screen's station: a punch begun and stored. Another program writing the file (a purge,
// an import from the command line) holds its lock for a moment: each try waits only a short step,
// the cycle tries again with the panel up, and a punch held back too long waits in the station's
// queue, stored once the lock frees. The employee never sees an error for it.
#include "clock/StationLink.h"
#include "clock/ui/ClockWindow.h"
#include "clock/ui/PunchPanel.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

namespace {
// Each try holds the screen up at most this long.
constexpr std::chrono::milliseconds stepWait(100);
} // namespace

Punch ClockWindow::begin(const QString& typed)
{
    return Punch::begin(m_services, m_session, typed, m_link, m_link ? nullptr : &m_waiting);
}

Punch ClockWindow::beginCard(const QString& read)
{
    return Punch::beginCard(m_services, m_session, read, m_link, m_link ? nullptr : &m_waiting);
}

ClockCycle::Written ClockWindow::write(const Punch& punch, const QString& tips)
{
    ClockCycle::Written written;
    if (m_link) {
        written.number = punch.record(m_services, m_session, tips, m_link);
    } else {
        written.record = punch.recordAt(m_session, tips, m_services.time.now());
        written.number = writeAgain(written.record);
    }
    m_panel->clearTips();
    return written;
}

std::optional<qint64> ClockWindow::writeAgain(const ClockRecord& record)
{
    try {
        return m_waiting.store(record, stepWait);
    } catch (const DatabaseError& error) {
        return keep(record, error.userMessage());
    }
}

qint64 ClockWindow::keep(const ClockRecord& record, const QString& reason)
{
    m_waiting.keep(record); // a queue that cannot be written either is the one error shown
    note(QStringLiteral("The punch of %1 at %2 waits in the queue: %3")
             .arg(record.employeeId, record.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), reason));
    return 0;
}

void ClockWindow::sendWaiting()
{
    if (m_link)
        return;
    if (!m_waiting.isEmpty() && m_waiting.send(stepWait) && m_session.settings().showInOutLists)
        refreshInOutLists();
}

void ClockWindow::recordStored(const Punch& punch, qint64 recordNumber)
{
    // A picture is named by its record number; a queued punch has none yet.
    if (m_session.settings().takePictures && recordNumber > 0)
        takePicture(punch, recordNumber);
    if (m_session.settings().showInOutLists)
        refreshInOutLists();
    // A queued punch is not among the stored ones yet, so the week would be short of it.
    if (recordNumber > 0)
        showWeekHours(punch);
}

void ClockWindow::showWeekHours(const Punch& punch)
{
    if (!m_session.settings().showWeekHours || !m_weekHours || (m_link && m_link->isOffline()))
        return;
    QString line;
    try {
        line = m_weekHours(punch.id());
    } catch (const DatabaseError& error) {
        // Only a courtesy: the punch is stored, and a station without its server says so already.
        absorbedByLink(error);
        return;
    }
    if (!line.isEmpty())
        m_panel->showWeekHours(line);
}

void ClockWindow::note(const QString& line)
{
    m_log.write(line);
}
