#include "clock/InOutLists.h"

#include "store/ClockRecords.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"

qint16 InOutLists::effectiveDays(qint16 screenInOutDays)
{
    return screenInOutDays == 0 ? qint16(7) : screenInOutDays;
}

InOutLists::Lists InOutLists::fromRows(const QList<ClockRecord>& rows)
{
    Lists lists;
    const auto add = [&](const ClockRecord& last) {
        if (last.employeeId.trimmed().isEmpty())
            return;
        (last.clockOut ? lists.out : lists.in).append(last.employee);
    };
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const bool lastOfEmployee =
            i + 1 == rows.size() || !EmployeeId::same(rows.at(i + 1).employeeId, rows.at(i).employeeId);
        if (lastOfEmployee)
            add(rows.at(i));
    }
    return lists;
}

std::optional<InOutLists::Lists> InOutLists::load(Database& database, const QDate& today,
                                                  qint16& screenInOutDays)
{
    ClockRecords records(database);
    if (records.isEmpty())
        return std::nullopt;
    screenInOutDays = effectiveDays(screenInOutDays);
    const QList<ClockRecord> rows = records.since(DayNumber::of(today) - screenInOutDays);
    if (rows.isEmpty())
        return std::nullopt;
    return fromRows(rows);
}

QString InOutLists::entryText(const QString& name, const std::function<int(const QString&)>& width,
                              int minimumWidth, int maximumWidth)
{
    QString text = name;
    int current = width(text);
    while (current < minimumWidth) {
        const int wider = width(text + QLatin1Char(' '));
        if (wider <= current)
            break; // a font whose blank has no width would never get there
        text += QLatin1Char(' ');
        current = wider;
    }
    while (!text.isEmpty() && width(text) >= maximumWidth)
        text.chop(1);
    return text + QLatin1Char('\t');
}
