#include "settings/TimeText.h"

#include <QStringList>

namespace {
// What a person types for a time of day: hours and minutes, perhaps seconds, perhaps AM/PM.
QTime parseTyped(const QString& text)
{
    static const QStringList formats{
        QStringLiteral("H:m"),      QStringLiteral("H:m:s"),    QStringLiteral("h:m AP"),
        QStringLiteral("h:m:s AP"), QStringLiteral("h:mAP"),    QStringLiteral("h:m:sAP"),
        QStringLiteral("h:m ap"),   QStringLiteral("h:m:s ap"),
    };
    for (const QString& f : formats) {
        const QTime t = QTime::fromString(text, f);
        if (t.isValid())
            return t;
    }
    return {};
}

bool allDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}
} // namespace

std::optional<QString> TimeText::format(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    const QTime parsed = parseTyped(trimmed);
    QString text = parsed.isValid() ? parsed.toString(QStringLiteral("HH:mm")) : trimmed;
    // Midnight and noon as people write them on the two clocks are taken whatever follows.
    if (text.startsWith(QLatin1String("24:00")) || text.startsWith(QLatin1String("12:00")))
        return text.left(5);
    if (text.size() > 1 && text.at(1) == QLatin1Char(':'))
        text.prepend(QLatin1Char('0'));
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    const QStringView hours = QStringView(text).left(2);
    const QStringView minutes = QStringView(text).right(2);
    if (!allDigits(hours) || !allDigits(minutes) || hours.toInt() > 23 || minutes.toInt() > 59)
        return std::nullopt;
    return text;
}

QTime TimeText::timeOf(const QString& formatted)
{
    if (formatted.startsWith(QLatin1String("24:00")))
        return QTime(0, 0);
    return QTime::fromString(formatted.left(5), QStringLiteral("HH:mm"));
}

namespace {
QString pattern(const QString& dateOrder)
{
    if (dateOrder == QLatin1String("DD-MM-YYYY"))
        return QStringLiteral("dd-MM-yyyy");
    if (dateOrder == QLatin1String("YYYY-MM-DD"))
        return QStringLiteral("yyyy-MM-dd");
    return QStringLiteral("MM-dd-yyyy");
}
} // namespace

QString TimeText::dateText(const QDate& date, const QString& dateOrder)
{
    return date.toString(pattern(dateOrder));
}

QDate TimeText::dateOf(const QString& text, const QString& dateOrder)
{
    return QDate::fromString(text, pattern(dateOrder));
}

QString TimeText::generalDateTime(const QDateTime& moment, bool clock12Hour, const QLocale& locale)
{
    QString date = locale.dateFormat(QLocale::ShortFormat);
    // A two-digit year cannot tell this century's records from the last one's.
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(moment.date(), date) + QLatin1Char(' ') +
           locale.toString(moment.time(),
                           clock12Hour ? QStringLiteral("h:mm:ss AP") : QStringLiteral("HH:mm:ss"));
}
