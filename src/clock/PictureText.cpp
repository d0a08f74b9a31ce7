#include "clock/PictureText.h"

#include "platform/ProgramPaths.h"

QString PictureText::fileName(const ProgramPaths& paths, qint64 recordNumber)
{
    return paths.picturesFolder() + QLatin1Char('/') + QString::number(recordNumber) + QStringLiteral(".jpg");
}

QString PictureText::dateText(const QDate& day, const QLocale& locale)
{
    return locale.toString(day, QStringLiteral("dd-MMM-yy"));
}

QString PictureText::directionText(bool clockOut)
{
    return clockOut ? QStringLiteral(" Out") : QStringLiteral(" In");
}

QString PictureText::text(const Punch& punch, bool withEmployeeDatabase, bool clock12Hour,
                          const QLocale& locale)
{
    const QString time =
        locale.toString(punch.time, clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("hh:mm"));
    const QString who = withEmployeeDatabase ? QStringLiteral("Id ") + punch.id + QStringLiteral(", ") +
                                                   punch.employeeName + QLatin1Char(' ')
                                             : QStringLiteral("Id ") + punch.id + QStringLiteral(" On ");
    return who + dateText(punch.day, locale) + QLatin1Char(' ') + directionText(punch.clockOut) +
           QLatin1Char(' ') + time;
}
