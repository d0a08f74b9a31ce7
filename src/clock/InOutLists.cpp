#include "clock/InOutLists.h"

#include "store/ClockRecords.h"
#include "store/DayNumber.h"

qint16 InOutLists::effectiveDays(qint16 screenInOutDays)
{
    return screenInOutDays == 0 ? qint16(7) : screenInOutDays;
}

std::optional<InOutLists::Lists> InOutLists::load(Database& database, const QDate& today,
                                                  qint16& screenInOutDays)
{
    screenInOutDays = effectiveDays(screenInOutDays);
    const QList<ClockRecord> latest =
        ClockRecords(database).latestOfEach(DayNumber::of(today) - screenInOutDays);
    if (latest.isEmpty())
        return std::nullopt;
    Lists lists;
    for (const ClockRecord& record : latest)
        (record.clockOut ? lists.out : lists.in).append(record.employee);
    return lists;
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
