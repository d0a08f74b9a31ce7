#include "clock/ClockCycle.h"

#include "clock/ClockFace.h"
#include "platform/TimeSource.h"
#include "store/DatabaseError.h"

#include <algorithm>

ClockCycle::ClockCycle(const TimeSource& time, Host& host, Rules rules)
    : m_time(time)
    , m_host(host)
    , m_rules(std::move(rules))
{}

void ClockCycle::tick()
{
    const QDateTime now = m_time.now();
    const QDate today = now.date();
    if (today != m_dateSeen) {
        m_pictureDay = today;
        if (m_rules.readsStaffDaily)
            readStaff(today);
    }
    m_host.showTime(now);
    m_dateSeen = today;
    if (m_forcedTrigger.due(now))
        m_forcedPending = true;
    if (m_forcedRetryAt.isValid() && now >= m_forcedRetryAt) {
        m_forcedRetryAt = QDateTime();
        m_forcedPending = true;
    }
    // Never between the panel of a punch and its record: the record is what the panel showed.
    if (m_forcedPending && !m_tipsFor && !m_held)
        runForcedClockOut();
    if (!m_firstTickDone) {
        m_firstTickDone = true;
        m_host.takeKeyboard();
    }
    storeWaiting();
    const QDateTime precise = m_time.preciseNow();
    if (m_elapsedUntil && precise >= *m_elapsedUntil) {
        m_elapsedUntil.reset();
        m_host.hideElapsed();
    }
    if (m_panelUp && !m_tipsFor && !m_held && m_panelUntil.isValid() && precise >= m_panelUntil)
        hidePanel();
}

void ClockCycle::enterId(const QString& typed)
{
    enter([&] { return m_host.begin(typed); });
}

void ClockCycle::enterCard(const QString& read)
{
    enter([&] { return m_host.beginCard(read); });
}

void ClockCycle::enter(const std::function<Punch()>& begin)
{
    if (isBusy())
        return;
    try {
        const Punch punch = begin();
        switch (punch.stage()) {
        case Punch::Stage::Ignored:
            return;
        case Punch::Stage::NotFound:
            m_host.showNotFound(punch);
            m_host.playSound(punch.soundName());
            m_pauseUntil = m_time.preciseNow().addSecs(pauseSeconds);
            return;
        case Punch::Stage::Shown:
            break;
        }
        m_panelUp = true;
        m_host.showPanel(punch);
        // Counted from the moment the panel is up, not from the whole second the clock shows.
        const QDateTime deadline = m_time.preciseNow().addSecs(punch.displaySeconds());
        if (punch.asksForTips()) {
            m_tipsFor = punch;
            return;
        }
        m_host.playSound(punch.soundName());
        if (!punch.isRejected())
            write(punch, QString());
        m_panelUntil = m_elapsedUntil ? std::max(deadline, *m_elapsedUntil) : deadline;
        tick();
    } catch (const DatabaseError& error) {
        fail(error.userMessage());
    }
}

void ClockCycle::enterTips(const QString& tips)
{
    if (!m_tipsFor)
        return;
    const Punch punch = *m_tipsFor;
    m_tipsFor.reset();
    m_host.hideTips();
    try {
        // The hourly pass that fell due meanwhile comes first, as it would have without the tips.
        if (m_forcedPending)
            runForcedClockOut();
        m_host.playSound(punch.soundName());
        write(punch, tips);
    } catch (const DatabaseError& error) {
        fail(error.userMessage());
        return;
    }
    // The display time was spent on the tips.
    m_panelUntil = m_elapsedUntil ? *m_elapsedUntil : m_time.preciseNow();
    tick();
}

void ClockCycle::cancelTips()
{
    m_tipsFor.reset();
    hidePanel();
}

void ClockCycle::askToLeave()
{
    if (acceptsNoInput())
        return;
    if (m_rules.password.trimmed().isEmpty()) {
        m_host.leave();
        return;
    }
    m_passwordAsked = true;
    m_host.showPassword(true);
}

void ClockCycle::enterPassword(const QString& typed)
{
    switch (ClockFace::judgePassword(typed, m_rules.password)) {
    case ClockFace::PasswordEntry::Cancel:
        dismissPassword();
        m_host.focusIdBox();
        break;
    case ClockFace::PasswordEntry::Accept:
        dismissPassword();
        m_host.leave();
        break;
    case ClockFace::PasswordEntry::Ignore:
        break;
    }
}

void ClockCycle::dismissPassword()
{
    m_passwordAsked = false;
    m_host.showPassword(false);
}

void ClockCycle::staffRead()
{
    m_readingStaff = false;
}

void ClockCycle::staffReadMissed(QDate day)
{
    m_staffReadDue = day;
}

void ClockCycle::serverBack()
{
    if (!m_staffReadDue.isValid() || m_readingStaff)
        return;
    const QDate day = m_staffReadDue;
    m_staffReadDue = QDate();
    readStaff(day);
}

ClockCycle::State ClockCycle::state() const
{
    if (m_held)
        return State::StoringPunch;
    if (m_tipsFor)
        return State::AskingForTips;
    if (m_panelUp)
        return State::ShowingPunch;
    if (m_pauseUntil.isValid() && m_time.preciseNow() < m_pauseUntil)
        return State::PausedAfterUnknownId;
    return State::WaitingForId;
}

bool ClockCycle::isBusy() const
{
    return state() != State::WaitingForId || m_readingStaff;
}

bool ClockCycle::acceptsNoInput() const
{
    return isBusy() && !m_tipsFor;
}

ClockCycle::KeyTarget ClockCycle::keypadTarget(bool clearKey) const
{
    // Only the tips can be typed while a punch is on display.
    if (m_panelUp)
        return m_tipsFor ? KeyTarget::TipsBox : KeyTarget::Nowhere;
    if (isBusy())
        return KeyTarget::Nowhere;
    if (clearKey || !m_passwordAsked)
        return KeyTarget::IdBox;
    return KeyTarget::PasswordBox;
}

QDate ClockCycle::pictureDay() const
{
    return m_pictureDay.isValid() ? m_pictureDay : m_time.today();
}

void ClockCycle::write(const Punch& punch, const QString& tips)
{
    const Written written = m_host.write(punch, tips);
    if (!written.number)
        m_held = Held{punch, written.record, m_time.preciseNow().addSecs(patienceSeconds)};
    if (punch.isClockOut() && m_rules.showElapsedTime && punch.lastInTime()) {
        m_host.showElapsed(Punch::elapsedText(*punch.lastInTime(), m_time.now()));
        m_elapsedUntil = m_time.preciseNow().addSecs(elapsedSeconds);
    }
    if (written.number)
        m_host.recordStored(punch, *written.number);
}

// Every tick: the punch held back tried again, and what waits in the queue sent now and then.
void ClockCycle::storeWaiting()
{
    const QDateTime precise = m_time.preciseNow();
    try {
        if (m_held) {
            std::optional<qint64> number = m_host.writeAgain(m_held->record);
            if (!number && precise < m_held->until)
                return;
            if (!number)
                number = m_host.keep(m_held->record,
                                     QStringLiteral("another program held the clock database for %1 seconds")
                                         .arg(patienceSeconds));
            const Punch punch = m_held->punch;
            m_held.reset();
            m_host.recordStored(punch, *number);
            return;
        }
        if (m_nextSend.isValid() && precise < m_nextSend)
            return;
        m_nextSend = precise.addSecs(sendEverySeconds);
        m_host.sendWaiting();
    } catch (const DatabaseError& error) {
        m_held.reset();
        m_host.note(QStringLiteral("Waiting punches not stored: ") + error.userMessage());
        fail(error.userMessage());
    }
}

void ClockCycle::runForcedClockOut()
{
    m_forcedPending = false;
    try {
        m_host.runForcedClockOut();
    } catch (const DatabaseError& error) {
        // The screen goes on while another program writes the file; the pass tries again later.
        m_host.note(QStringLiteral("Forced clock-out not written, tried again in a minute: ") +
                    error.userMessage());
        m_forcedRetryAt = m_time.now().addSecs(forcedRetrySeconds);
    }
}

void ClockCycle::readStaff(QDate day)
{
    m_readingStaff = true;
    m_host.readStaff(day);
}

void ClockCycle::hidePanel()
{
    m_panelUp = false;
    m_panelUntil = QDateTime();
    m_host.hidePanel();
}

void ClockCycle::fail(const QString& message)
{
    m_tipsFor.reset();
    hidePanel();
    m_host.showError(message);
}
