#include "reports/SequenceAudit.h"

#include "store/EditHistory.h"
#include "store/HistoryWords.h"
#include "store/RecordSequence.h"
#include "store/StoredTime.h"

#include <optional>

bool SequenceAudit::canRun(Period p)
{
    return p.firstDay >= 1 && p.lastDay >= 1;
}

SequenceAudit::Result SequenceAudit::run(Database& database, Period period)
{
    Result result;
    if (RecordSequence::tableEmpty(database)) {
        result.tableEmpty = true;
        return result;
    }
    const Period p = ReportPeriod::completed(period);
    std::optional<ClockRecord> previous;
    RecordSequence::walk(database, p.firstDay, p.lastDay, [&](const ClockRecord& row) {
        // Equal times are two punches in the same second, not a step back.
        if (previous && previous->time > row.time)
            result.violations.append({row, *previous});
        previous = row;
    });
    return result;
}

namespace {
QString recordNumber(const ClockRecord& row)
{
    // Numbers are written with the blank that stands where a minus sign would go.
    return QLatin1Char(' ') + QString::number(row.recordNumber);
}

QString mediumDate(const ClockRecord& row, const QLocale& locale)
{
    return locale.toString(row.time.date(), QStringLiteral("dd-MMM-yy"));
}

QString timeText(const ClockRecord& row, bool clock12Hour, const QLocale& locale)
{
    return locale.toString(row.time.time(),
                           clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("hh:mm"));
}
} // namespace

QStringList SequenceAudit::lines(const Result& result, bool clock12Hour, const QLocale& locale,
                                 const ChangeNote& changeNote)
{
    QStringList out;
    const auto note = [&](const ClockRecord& row) {
        if (!changeNote)
            return;
        const QString text = changeNote(row);
        if (!text.isEmpty())
            out.append(text);
    };
    for (const Violation& v : result.violations) {
        const ClockRecord& r = v.row;
        const ClockRecord& p = v.previous;
        out.append(QStringLiteral("Record:") + recordNumber(r) + QStringLiteral(",  ") +
                   mediumDate(r, locale) + QLatin1Char(' ') +
                   (r.clockOut ? QStringLiteral(" Out  ") : QStringLiteral(" In   ")) + QLatin1Char(' ') +
                   timeText(r, clock12Hour, locale) + QStringLiteral("  ID:") + r.employeeId +
                   QStringLiteral("  ") + r.employee);
        note(r);
        out.append(QStringLiteral("that is earlier then...."));
        out.append(QStringLiteral("Record:") + recordNumber(p) + QStringLiteral(",  ") +
                   mediumDate(p, locale) + QLatin1Char(' ') +
                   (p.clockOut ? QStringLiteral(" Out  ") : QStringLiteral(" In    ")) +
                   timeText(p, clock12Hour, locale) + QStringLiteral("  ") + QStringLiteral(" ID: ") +
                   p.employeeId + QStringLiteral("  ") + p.employee);
        note(p);
        out.append(QStringLiteral("     "));
    }
    if (result.violations.isEmpty())
        out.append(noViolationsText);
    return out;
}

SequenceAudit::ChangeNote SequenceAudit::changeNotes(Database& database, bool clock12Hour)
{
    if (!EditHistory::hasTable(database))
        return {};
    return [&database, clock12Hour](const ClockRecord& row) {
        const QList<HistoryEntry> entries = EditHistory(database).entriesFor(row.recordNumber);
        for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
            if (it->action == EditHistory::edited || it->action == EditHistory::inserted ||
                it->action == EditHistory::forced)
                return QStringLiteral("    %1 %2 by %3: %4")
                    .arg(it->action, StoredTime::toText(it->when).left(16), it->user,
                         HistoryWords::change(*it, clock12Hour));
        }
        return QString();
    };
}
