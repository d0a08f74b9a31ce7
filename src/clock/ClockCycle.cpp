#include "clock/ClockCycle.h"

#include "clock/ClockFace.h"
#include "clock/PinHash.h"
#include "platform/TimeSource.h"
#include "store/DatabaseError.h"

#include <algorithm>

namespace {
const QString errorSound = QStringLiteral("Error");
const QString tooManyTries = QStringLiteral("Too many tries, ask your manager");

QString pinPrompt(bool choosing, bool repeating)
{
    if (repeating)
        return QStringLiteral("Type it again");
    return choosing ? QStringLiteral("Choose a PIN of 4 to 8 digits") : QStringLiteral("Type your PIN");
}

QString wrongPin(int triesLeft)
{
    return triesLeft == 1 ? QStringLiteral("Wrong PIN, 1 try left")
                          : QStringLiteral("Wrong PIN, %1 tries left").arg(triesLeft);
}
} // namespace

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
    // A PIN left half typed is not left for the next person to finish.
    if (m_pin && m_pin->stage != PinStep::Stage::Checking && precise >= m_pin->until)
        endPin(QString());
}

void ClockCycle::enterId(const QString& typed)
{
    if (m_pin) {
        if (!isBusy())
            enterPin(typed);
        return;
    }
    enter([this, typed] { return m_host.begin(typed); });
}

void ClockCycle::enterCard(const QString& read)
{
    // A PIN typed quickly reads like a card: while one is asked for, it is the PIN.
    if (m_pin)
        enterId(read);
    else
        enter([this, read] { return m_host.beginCard(read); });
}

void ClockCycle::enter(const std::function<Punch()>& begin)
{
    if (!isBusy())
        runPunch(begin, false);
}

void ClockCycle::runPunch(const std::function<Punch()>& begin, bool pinGiven)
{
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
        if (m_rules.asksPin && !pinGiven)
            beginPin(begin, punch);
        else
            present(punch);
    } catch (const DatabaseError& error) {
        fail(error.userMessage());
    }
}

void ClockCycle::present(const Punch& punch)
{
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
}

void ClockCycle::refuse(const QString& message)
{
    m_pin.reset();
    m_host.hidePin(message);
    m_host.playSound(errorSound);
    m_pauseUntil = m_time.preciseNow().addSecs(pauseSeconds);
}

void ClockCycle::beginPin(const std::function<Punch()>& begin, const Punch& punch)
{
    const std::optional<PinRow> row = m_host.pinOf(punch.id());
    if (!row) {
        // A station without its server still takes punches; the PIN it cannot check is not asked.
        m_host.note(
            QStringLiteral("PIN not asked of %1: the clock database cannot be reached").arg(punch.id()));
        present(punch);
        return;
    }
    if (row->isLockedAt(m_time.now())) {
        refuse(tooManyTries);
        return;
    }
    m_pin = PinStep{};
    m_pin->begin = begin;
    m_pin->id = punch.id();
    m_pin->hash = row->hash;
    askPin(row->hash.isEmpty() ? PinStep::Stage::Choosing : PinStep::Stage::Typing, QString());
}

void ClockCycle::askPin(PinStep::Stage stage, const QString& message)
{
    m_pin->stage = stage;
    m_pin->until = m_time.preciseNow().addSecs(pinPatienceSeconds);
    m_host.showPin(pinPrompt(stage == PinStep::Stage::Choosing, stage == PinStep::Stage::Repeating), message);
}

void ClockCycle::enterPin(const QString& typed)
{
    if (!PinHash::isWellFormed(typed)) {
        m_host.playSound(errorSound);
        askPin(m_pin->stage, QStringLiteral("A PIN is 4 to 8 digits"));
        return;
    }
    switch (m_pin->stage) {
    case PinStep::Stage::Typing:
        checkPin(typed, m_pin->hash);
        break;
    case PinStep::Stage::Choosing:
        m_pin->firstChoice = typed;
        askPin(PinStep::Stage::Repeating, QString());
        break;
    case PinStep::Stage::Repeating:
        if (typed != m_pin->firstChoice) {
            m_pin->firstChoice.clear();
            m_host.playSound(errorSound);
            askPin(PinStep::Stage::Choosing, QStringLiteral("The two PINs differ"));
            return;
        }
        checkPin(typed, QString());
        break;
    case PinStep::Stage::Checking:
        break;
    }
}

void ClockCycle::checkPin(const QString& pin, const QString& hash)
{
    m_pin->checked = m_pin->stage;
    m_pin->stage = PinStep::Stage::Checking;
    m_pin->ticket = ++m_pinTickets;
    m_host.showPin(
        pinPrompt(m_pin->checked == PinStep::Stage::Choosing, m_pin->checked == PinStep::Stage::Repeating),
        QStringLiteral("One moment..."));
    m_host.startPinWork({m_pin->ticket, pin, hash});
}

void ClockCycle::pinWorkDone(const PinWorkDone& done)
{
    if (!m_pin || m_pin->stage != PinStep::Stage::Checking || done.ticket != m_pin->ticket)
        return;
    try {
        if (m_pin->checked == PinStep::Stage::Typing) {
            const PinTable::TryResult result = m_host.countPinTry(m_pin->id, done.matches);
            if (result.outcome == PinTable::Try::Locked) {
                refuse(tooManyTries);
                return;
            }
            if (result.outcome == PinTable::Try::Wrong) {
                m_host.playSound(errorSound);
                askPin(PinStep::Stage::Typing, wrongPin(result.triesLeft));
                return;
            }
        } else if (done.hash.isEmpty()) {
            m_host.note(QStringLiteral("PIN of %1 not kept: no memory for its hash").arg(m_pin->id));
            refuse(QStringLiteral("The PIN could not be kept, try again"));
            return;
        } else if (!m_host.choosePin(m_pin->id, done.hash)) {
            refuse(QStringLiteral("A PIN was chosen meanwhile, try again"));
            return;
        }
    } catch (const DatabaseError& error) {
        endPin(QString());
        fail(error.userMessage());
        return;
    }
    const std::function<Punch()> begin = m_pin->begin;
    endPin(QString());
    runPunch(begin, true);
}

void ClockCycle::pinTyped()
{
    if (m_pin && m_pin->stage != PinStep::Stage::Checking)
        m_pin->until = m_time.preciseNow().addSecs(pinPatienceSeconds);
}

void ClockCycle::cancelPin()
{
    // A check under way ends as it would have: its try is counted.
    if (m_pin && m_pin->stage != PinStep::Stage::Checking)
        endPin(QString());
}

void ClockCycle::endPin(const QString& message)
{
    m_pin.reset();
    m_host.hidePin(message);
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
    cancelPin();
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
    if (m_pin)
        return m_pin->stage == PinStep::Stage::Checking ? State::CheckingPin : State::AskingForPin;
    if (m_pauseUntil.isValid() && m_time.preciseNow() < m_pauseUntil)
        return State::PausedAfterUnknownId;
    return State::WaitingForId;
}

bool ClockCycle::isBusy() const
{
    const State now = state();
    return (now != State::WaitingForId && now != State::AskingForPin) || m_readingStaff;
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
