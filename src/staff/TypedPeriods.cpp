#include "staff/TypedPeriods.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr int quartersPerHour = 4;

// Reads "8", "08:00" or "8:30" into a quarter-hour value; false with a reason otherwise.
bool readTime(const QString& hours, const QString& minutes, int* value, QString* reason)
{
    const int h = hours.toInt();
    const int m = minutes.isEmpty() ? 0 : minutes.toInt();
    if (h > 24 || m > 59 || (h == 24 && m != 0)) {
        *reason = QStringLiteral("is not a time of day");
        return false;
    }
    if (m % 15 != 0) {
        *reason = QStringLiteral("is not on a quarter hour");
        return false;
    }
    *value = h * quartersPerHour + m / 15;
    return true;
}
} // namespace

TypedPeriods::Parsed TypedPeriods::parse(const QString& text)
{
    static const QRegularExpression dash(QStringLiteral("\\s*[-\\x{2013}]\\s*"));
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    static const QRegularExpression period(
        QStringLiteral("^(\\d{1,2})(?::(\\d{2}))?-(\\d{1,2})(?::(\\d{2}))?$"));

    QString joined = text;
    joined.replace(dash, QStringLiteral("-"));
    Parsed result;
    QList<SchedulePeriod> bars;
    const QStringList tokens = joined.split(separators, Qt::SkipEmptyParts);
    for (const QString& token : tokens) {
        const QRegularExpressionMatch match = period.match(token);
        if (!match.hasMatch()) {
            result.error = QStringLiteral("\"%1\" is not a period such as 08:00-12:00").arg(token);
            return result;
        }
        SchedulePeriod bar;
        QString reason;
        if (!readTime(match.captured(1), match.captured(2), &bar.start, &reason) ||
            !readTime(match.captured(3), match.captured(4), &bar.stop, &reason)) {
            result.error = QStringLiteral("\"%1\" %2").arg(token, reason);
            return result;
        }
        if (bar.start >= bar.stop) {
            result.error = QStringLiteral("\"%1\" does not end after it starts").arg(token);
            return result;
        }
        bars.append(bar);
    }
    bool dropped = false;
    result.periods = ScheduleGrid::merged(bars, &dropped);
    if (dropped) {
        result.periods.clear();
        result.error = QStringLiteral("more than three separate periods in one day");
    }
    return result;
}

QString TypedPeriods::format(const QList<SchedulePeriod>& periods, const QString& separator)
{
    QStringList parts;
    for (const SchedulePeriod& p : periods)
        parts.append(timeText(p.start) + QLatin1Char('-') + timeText(p.stop));
    return parts.join(separator);
}

QString TypedPeriods::timeText(int value)
{
    return QStringLiteral("%1:%2")
        .arg(value / quartersPerHour, 2, 10, QLatin1Char('0'))
        .arg(value % quartersPerHour * 15, 2, 10, QLatin1Char('0'));
}
