#include "clock/Punch.h"

#include "clock/StationLink.h"
#include "clock/WaitingPunches.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/BadgeTable.h"
#include "store/ClockRecords.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/StaffTable.h"
#include "store/StoredTime.h"

#include <algorithm>

QString Punch::normaliseId(const QString& typed)
{
    QString id = typed;
    id.replace(QLatin1Char('*'), QLatin1Char(' '));
    return EmployeeId::normalised(id);
}

bool Punch::acceptsTipsChar(const QString& tipsText, QChar typed)
{
    const qsizetype point = tipsText.indexOf(QLatin1Char('.'));
    if (typed == QLatin1Char('.'))
        return point < 0;
    if (typed.unicode() < '0' || typed.unicode() > '9')
        return false;
    // Money is kept to four decimals; a fifth would be silently lost.
    return point < 0 || tipsText.size() - point - 1 < 4;
}

QString Punch::elapsedText(const QDateTime& from, const QDateTime& to)
{
    const auto toMinute = [](const QDateTime& t) {
        return StoredTime::onClockFace(QDateTime(t.date(), QTime(t.time().hour(), t.time().minute())));
    };
    const qint64 minutes = toMinute(from).secsTo(toMinute(to)) / 60;
    const qint64 magnitude = minutes < 0 ? -minutes : minutes;
    return QStringLiteral("%1%2:%3")
        .arg(minutes < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 60)
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

Punch Punch::begin(const Services& services, Session& session, const QString& typed, StationLink* link,
                   WaitingPunches* waiting)
{
    const QString id = normaliseId(typed);
    if (id.isEmpty())
        return Punch();
    std::optional<StaffRow> staff;
    if (session.hasEmployeeDatabase()) {
        staff = link ? link->findStaff(id) : StaffTable(services.database).find(id);
        if (!staff)
            return notFound(id, session.settings().notFound);
    }
    std::optional<ClockRecords::LatestPunch> latest;
    if (link)
        latest = link->latestPunchFor(id);
    else if (waiting)
        latest = waiting->latestFor(id);
    if (!link && !latest)
        latest = ClockRecords(services.database).latestPunchFor(id);
    return decide(id, staff ? &*staff : nullptr, latest, services.time.now(), session.settings());
}

Punch Punch::beginCard(const Services& services, Session& session, const QString& read, StationLink* link,
                       WaitingPunches* waiting)
{
    const QString number = BadgeNumber::fromReader(read, session.settings().readerHex);
    const std::optional<QString> holder =
        link ? link->findBadge(number) : BadgeTable(services.database).employeeFor(number);
    if (holder)
        return begin(services, session, *holder, link, waiting);
    Punch punch = begin(services, session, read, link, waiting);
    if (punch.stage() == Stage::NotFound)
        return refused(QStringLiteral("Card %1 not known").arg(number), session.settings());
    return punch;
}

Punch Punch::refused(const QString& line, const SettingsRecord& settings)
{
    Punch punch;
    punch.m_stage = Stage::Shown;
    punch.m_employeeName = line;
    punch.m_verdict.outcome = PunchOutcome::Reject;
    punch.m_look = PanelLook::forOutcome(PunchOutcome::Reject, QString(), settings);
    punch.m_look.line2Text.clear();
    punch.m_displaySeconds = std::max<int>(refusalSeconds, settings.keepInSeconds);
    return punch;
}

Punch Punch::notFound(const QString& id, const QString& notFoundText)
{
    Punch punch;
    punch.m_id = id;
    punch.m_stage = Stage::NotFound;
    punch.m_notFoundText = notFoundText;
    return punch;
}

Punch Punch::decide(const QString& id, const StaffRow* staff,
                    const std::optional<ClockRecords::LatestPunch>& latest, const QDateTime& now,
                    const SettingsRecord& settings)
{
    Punch punch;
    punch.m_id = id;
    if (staff) {
        punch.m_employeeName = staff->employee;
        punch.m_departmentNumber = staff->departmentNumber;
        punch.m_start = staff->start;
        punch.m_stop = staff->stop;
    } else {
        punch.m_employeeName = id;
    }
    punch.m_clockOut = latest && !latest->clockOut;
    if (punch.m_clockOut)
        punch.m_lastIn = latest->time;

    punch.m_punchTime = now;
    punch.m_displaySeconds = punch.m_clockOut ? settings.keepOutSeconds : settings.keepInSeconds;
    // Without an employee database there is no schedule to check against.
    if (staff) {
        const QTime clock = now.time();
        punch.m_verdict = ScheduleCheck::check(punch.m_clockOut, clock.hour() * 60 + clock.minute(),
                                               punch.m_start, punch.m_stop, settings);
    } else {
        punch.m_verdict.outcome = punch.m_clockOut ? PunchOutcome::NormalOut : PunchOutcome::NormalIn;
    }
    punch.m_look = PanelLook::forOutcome(punch.m_verdict.outcome, punch.m_verdict.message, settings);
    // A card read twice, or a second tap at the keypad: the punch a moment ago stands, wherever it
    // was made. A latest record in the future (a correction typed ahead) does not count.
    const qint64 since = latest ? latest->time.secsTo(now) : -1;
    if (settings.guardSeconds > 0 && since >= 0 && since < settings.guardSeconds) {
        punch.m_verdict = {PunchOutcome::Reject, 0, QString()};
        punch.m_look = PanelLook::forOutcome(PunchOutcome::Reject, QString(), settings);
        punch.m_look.line2Text = QStringLiteral("Already clocked %1 at %2")
                                     .arg(latest->clockOut ? QStringLiteral("Out") : QStringLiteral("In"),
                                          latest->time.toString(QStringLiteral("HH:mm:ss")));
        punch.m_displaySeconds = std::max(refusalSeconds, punch.m_displaySeconds);
    }
    // A rejected OUT is not recorded, so it has no tips to ask for.
    punch.m_asksTips = punch.m_clockOut && settings.reportTips && !punch.isRejected();
    punch.m_stage = Stage::Shown;
    return punch;
}

QString Punch::notFoundMessage() const
{
    return QStringLiteral("ID ") + m_id + QStringLiteral("  ") + m_notFoundText;
}

QString Punch::soundName() const
{
    if (m_stage == Stage::NotFound || isRejected())
        return QStringLiteral("Error");
    return m_clockOut ? QStringLiteral("Out") : QStringLiteral("In");
}

ClockRecord Punch::recordAt(const Session& session, const QString& tipsText, const QDateTime& now) const
{
    ClockRecord r;
    r.clockOut = m_clockOut;
    r.options = m_verdict.mark;
    r.time = now;
    if (r.clockOut && session.settings().reportTips && !tipsText.trimmed().isEmpty())
        r.tips = Money::parse(tipsText).value_or(Money()); // a lone "." counts as nothing tipped
    r.employeeId = m_id;
    r.employee = session.hasEmployeeDatabase() ? m_employeeName : QStringLiteral(" ");
    r.julian = DayNumber::of(now);
    r.dnumber = m_departmentNumber;
    r.created = now;
    return r;
}

qint64 Punch::record(const Services& services, Session& session, const QString& tipsText,
                     StationLink* link) const
{
    // The direction and mark the panel showed, whatever was stored since: a punch of another station
    // in between is an exception for the manager to see, never one to turn around or drop.
    const ClockRecord record = recordAt(session, tipsText, services.time.now());
    const auto asShown = [&](const std::optional<ClockRecords::LatestPunch>&) {
        return std::optional<ClockRecord>(record);
    };
    if (link)
        return link->appendPunch(m_id, asShown);
    return ClockRecords(services.database).appendPunch(m_id, asShown);
}
