#include "settings/DateOrder.h"

QString DateOrder::detect(const QLocale& locale)
{
    // Where day, month and year stand in the locale's short date format is the order in which
    // the locale reads a typed date such as 7/4/1998.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(QLatin1Char('d'));
    const qsizetype month = format.indexOf(QLatin1Char('M'));
    const qsizetype year = format.indexOf(QLatin1Char('y'));
    if (day < 0 || month < 0 || year < 0)
        return QStringLiteral("YYYY-MM-DD");
    if (month < day && day < year)
        return QStringLiteral("MM-DD-YYYY");
    if (day < month && month < year)
        return QStringLiteral("DD-MM-YYYY");
    return QStringLiteral("YYYY-MM-DD");
}
