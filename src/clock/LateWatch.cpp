#include "clock/LateWatch.h"

#include "platform/DesktopNotifier.h"
#include "platform/TimeSource.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/EmployeeId.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

LateWatch::LateWatch(Database& database, const TimeSource& time, const Session& session,
                     DesktopNotifier& notifier, QObject* parent)
    : QObject(parent)
    , m_database(database)
    , m_time(time)
    , m_session(session)
    , m_notifier(notifier)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &LateWatch::start);
}

void LateWatch::start()
{
    check();
    const QDateTime now = m_time.preciseNow();
    const QTime t = now.time();
    // A second into the next minute, so a start at 08:00 counts from 08:16:00 with 15 allowed.
    const int untilNextMinute = 60'000 - (t.second() * 1000 + t.msec()) + 1000;
    m_timer.start(untilNextMinute);
}

void LateWatch::check()
{
    const QDateTime now = m_time.now();
    const SettingsRecord& settings = m_session.settings();
    QList<LateArrivals::Entry> late;
    try {
        late = LateArrivals::load(m_database, now, settings.lateAfterMinutes);
    } catch (const DatabaseError&) {
        return; // a database that cannot be read now is read again at the next minute
    }
    const bool changed = late.size() != m_late.size();
    m_late = late;
    if (settings.lateNotify)
        tell(late, now.date());
    if (changed)
        Q_EMIT lateChanged(int(m_late.size()));
}

QString LateWatch::noticeLine(const LateArrivals::Entry& entry)
{
    return QStringLiteral("%1  %2 (%3)")
        .arg(entry.start.toString(QStringLiteral("HH:mm")), entry.name.trimmed(), entry.employeeId);
}

void LateWatch::tell(const QList<LateArrivals::Entry>& late, const QDate& today)
{
    recall(today);
    QStringList lines;
    for (const LateArrivals::Entry& entry : late) {
        const QString id = EmployeeId::normalised(entry.employeeId);
        if (m_told.contains(id))
            continue;
        m_told.insert(id);
        lines.append(noticeLine(entry));
    }
    if (lines.isEmpty())
        return;
    m_notifier.notify(QStringLiteral("Expected, not in"), lines.join(QLatin1Char('\n')));
    remember(today);
}

void LateWatch::recall(const QDate& today)
{
    if (m_toldDay == today)
        return;
    m_toldDay = today;
    m_told.clear();
    QFile file(m_session.paths().inProgramFolder(noticeFileName()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    if (in.readLine() != today.toString(Qt::ISODate))
        return; // another day's: everyone may be told again
    while (!in.atEnd()) {
        const QString id = in.readLine();
        if (!id.isEmpty())
            m_told.insert(id);
    }
}

void LateWatch::remember(const QDate& today)
{
    // Best effort: a folder that cannot be written only means a restart may tell again.
    QSaveFile file(m_session.paths().inProgramFolder(noticeFileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << today.toString(Qt::ISODate) << '\n';
    for (const QString& id : std::as_const(m_told))
        out << id << '\n';
    out.flush();
    file.commit();
}
