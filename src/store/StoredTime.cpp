#include "store/StoredTime.h"

#include <QTimeZone>
#include <cstdio>

// Hand-rolled because this runs on every punch and every report row, where QDateTime's format
// parser costs more than the database work itself.
namespace {
int digits(const QString& text, qsizetype at, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[at + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

bool separatorAt(const QString& text, qsizetype at, char16_t separator)
{
    return text[at].unicode() == separator;
}
} // namespace

QString StoredTime::toText(const QDateTime& moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    char buffer[24];
    const int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", d.year(),
                                     d.month(), d.day(), t.hour(), t.minute(), t.second());
    return QString::fromLatin1(buffer, length);
}

QDateTime StoredTime::onClockFace(const QDateTime& moment)
{
    return QDateTime(moment.date(), moment.time(), QTimeZone::utc());
}

QDateTime StoredTime::fromText(const QString& text)
{
    if (text.size() < 10 || !separatorAt(text, 4, u'-') || !separatorAt(text, 7, u'-'))
        return {};
    const QDate date(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    if (!date.isValid())
        return {};
    // A date without a time, as another tool may have written it, is midnight.
    if (text.size() < 19)
        return QDateTime(date, QTime(0, 0));
    if (!separatorAt(text, 13, u':') || !separatorAt(text, 16, u':'))
        return {};
    const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
    return time.isValid() ? QDateTime(date, time) : QDateTime();
}
