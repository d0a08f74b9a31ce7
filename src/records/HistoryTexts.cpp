#include "records/HistoryTexts.h"

#include "store/EmployeeId.h"
#include "store/HistoryWords.h"
#include "store/StoredTime.h"

namespace {
QString whenText(const QDateTime& when)
{
    return when.isValid() ? StoredTime::toText(when) : QStringLiteral("?");
}
} // namespace

QStringList HistoryTexts::recordStory(const QList<HistoryEntry>& entries,
                                      const std::optional<ClockRecord>& current, bool clock12Hour)
{
    QStringList lines;
    const HistoryEntry* first = entries.isEmpty() ? nullptr : &entries.first();
    if (first && first->action == EditHistory::inserted) {
        lines.append(QStringLiteral("Inserted by hand, not punched."));
    } else if (first && first->action == EditHistory::forced) {
        lines.append(QStringLiteral("Written by the forced clock-out, not punched."));
    } else {
        // The first change still holds the record as it was punched.
        const std::optional<ClockRecord> punched =
            first ? std::optional<ClockRecord>(HistoryWords::recordOf(first->oldValues)) : current;
        lines.append(QStringLiteral("Punched: ") + (punched && punched->time.isValid()
                                                        ? HistoryWords::recordText(*punched, clock12Hour)
                                                        : QStringLiteral("?")));
    }
    if (entries.isEmpty())
        lines.append(QStringLiteral("Not changed since."));
    for (const HistoryEntry& e : entries) {
        lines.append(QStringLiteral("%1  %2 by %3 (entry %4)")
                         .arg(whenText(e.when), e.action, e.user)
                         .arg(e.entryNumber));
        lines.append(QStringLiteral("    ") + HistoryWords::change(e, clock12Hour));
    }
    return lines;
}

QString HistoryTexts::tabLine(const HistoryEntry& e, bool clock12Hour)
{
    return QStringList{QStringLiteral("entry"),
                       QString::number(e.entryNumber),
                       whenText(e.when),
                       e.action,
                       e.recordNumber ? QString::number(*e.recordNumber) : QString(),
                       e.user,
                       HistoryWords::change(e, clock12Hour)}
        .join(QLatin1Char('\t'));
}

QString HistoryTexts::rawLine(const HistoryEntry& e)
{
    return QStringList{QString::number(e.entryNumber),
                       whenText(e.when),
                       e.action,
                       e.recordNumber ? QString::number(*e.recordNumber) : QString(),
                       e.user,
                       e.oldValues,
                       e.newValues,
                       e.details}
        .join(QLatin1Char('\t'));
}

QList<HistoryTexts::DeletedRecord> HistoryTexts::deletedRecords(const QList<HistoryEntry>& entries,
                                                                const QString& employeeId, qint32 fromDay)
{
    const EmployeeId wanted(employeeId);
    QList<DeletedRecord> found;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (it->action != EditHistory::deleted)
            continue;
        const ClockRecord record = HistoryWords::recordOf(it->oldValues);
        if (EmployeeId(record.employeeId) == wanted && record.julian >= fromDay)
            found.append({*it, record});
    }
    return found;
}
