#include "records/RecordTexts.h"

#include "store/DayNumber.h"
#include "store/HistoryWords.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {
const QChar tab(u'\t');

// Windows writes a short date with the full year; some locales' short formats have two digits.
QString shortDate(const QDate& date, const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QDateTime lastSecondOf(const QDate& day)
{
    return QDateTime(day, QTime(23, 59, 59));
}
} // namespace

QString RecordTexts::sortKey(const QDateTime& time)
{
    const QTime t = time.time();
    const int minute = t.hour() * 60 + t.minute() + (t.second() > 30 ? 1 : 0);
    return QString::number(DayNumber::of(time.date())) +
           QStringLiteral("%1").arg(minute, 4, 10, QLatin1Char('0'));
}

QList<ClockRecord> RecordTexts::inListOrder(QList<ClockRecord> records)
{
    QList<QPair<QString, ClockRecord>> keyed;
    keyed.reserve(records.size());
    for (ClockRecord& r : records)
        keyed.append({sortKey(r.time), std::move(r)});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<ClockRecord> ordered;
    ordered.reserve(keyed.size());
    for (auto& k : keyed)
        ordered.append(std::move(k.second));
    return ordered;
}

QString RecordTexts::markText(int options)
{
    return HistoryWords::markText(options);
}

QString RecordTexts::dateTimeText(const QDateTime& time, bool clock12Hour)
{
    const QString date = QLocale().toString(time.date(), QStringLiteral("dd-MMM-yy"));
    if (clock12Hour)
        return date + QStringLiteral("   ") + time.time().toString(QStringLiteral("hh:mm AP"));
    return date + QStringLiteral("     ") + time.time().toString(QStringLiteral("HH:mm"));
}

QString RecordTexts::listLine(const ClockRecord& r, bool clock12Hour)
{
    const QStringList parts = {r.employee,
                               r.employeeId,
                               QLocale().dayName(r.time.date().dayOfWeek(), QLocale::ShortFormat),
                               dateTimeText(r.time, clock12Hour),
                               r.clockOut ? QStringLiteral(" Out") : QStringLiteral(" In"),
                               markText(r.options)};
    return parts.join(tab);
}

QString RecordTexts::caption(const QString& employeeId, qint32 startDay, const QLocale& locale)
{
    QString text = QStringLiteral(" Records for ID: ") + employeeId + QStringLiteral(" Starting ");
    if (startDay >= 35001)
        text += QStringLiteral(", Starting on:") + shortDate(DayNumber::toDate(startDay), locale);
    return text;
}

QString RecordTexts::noRecordsText(const QString& employeeId, qint32 startDay, const QLocale& locale)
{
    return QStringLiteral("No records found for: ID ") + employeeId + QStringLiteral(" ") +
           QStringLiteral(" Starting on ") + longDate(startDay, locale);
}

QString RecordTexts::longDate(qint32 dayNumber, const QLocale& locale)
{
    return locale.toString(DayNumber::toDate(dayNumber), QLocale::LongFormat);
}

QString RecordTexts::timeBoxText(const QDateTime& time, bool clock12Hour)
{
    return time.time().toString(clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("HH:mm"));
}

QString RecordTexts::tipsBoxText(const std::optional<Money>& tips)
{
    if (!tips)
        return {};
    QString text = tips->toFixed(2);
    // "###.00" writes no digit before the point for amounts below one.
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

std::optional<QTime> RecordTexts::timeOfDay(const QString& text, bool clock12Hour)
{
    Q_UNUSED(clock12Hour) // a pasted "8 PM" is a time under either clock
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,2})(?::(\d{1,2})(?::(\d{1,2}))?)?\s*(?:([AaPp])[Mm]?)?$)"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const bool hasMinutes = m.capturedLength(2) > 0;
    const bool hasHalf = m.capturedLength(4) > 0;
    if (!hasMinutes && !hasHalf)
        return std::nullopt; // a lone number is not a time
    int hour = m.captured(1).toInt();
    const int minute = hasMinutes ? m.captured(2).toInt() : 0;
    const int second = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
    if (hasHalf) {
        if (hour > 12)
            return std::nullopt;
        const bool pm = m.captured(4).compare(QStringLiteral("p"), Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<QDateTime> RecordTexts::savedTime(const QString& text, bool clock12Hour, const QDate& day,
                                                int keptSeconds)
{
    QString t = text.trimmed();
    if (clock12Hour && t == QStringLiteral("12:00"))
        t = QStringLiteral("12:00 AM");
    else if (!clock12Hour && t == QStringLiteral("24:00"))
        t = QStringLiteral("23:59:59");
    const std::optional<QTime> time = timeOfDay(t, clock12Hour);
    if (!time)
        return std::nullopt;
    const QDateTime moment = QDateTime(day, *time).addSecs(keptSeconds);
    // Kept seconds on top of 23:59 or "24:00" would pass midnight while the day number stays.
    if (moment.date() != day)
        return lastSecondOf(day);
    return moment;
}

std::optional<QDateTime> RecordTexts::insertedTime(const QString& text, bool clock12Hour, const QDate& day)
{
    const QString t = text.trimmed();
    if (clock12Hour && t == QStringLiteral("12:00"))
        return QDateTime(day, QTime(12, 0));
    if (!clock12Hour && t == QStringLiteral("24:00"))
        return lastSecondOf(day);
    const std::optional<QTime> time = timeOfDay(t, clock12Hour);
    if (!time)
        return std::nullopt;
    return QDateTime(day, QTime(time->hour(), time->minute()));
}

std::optional<Money> RecordTexts::tipsValue(const QString& text)
{
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() &&
               (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 100;
    qint64 units = 0;
    int decimals = -1; // -1 before the point
    int roundingDigit = -1;
    bool beyondHalf = false; // a non-zero digit after the rounding digit
    for (;; ++i) {
        skipBlanks();
        if (i >= text.size())
            break;
        const QChar c = text[i];
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        const int digit = c.unicode() - u'0';
        if (decimals < 0) {
            if (units > limit)
                return std::nullopt;
            units = units * 10 + digit * Money::unitsPerWhole;
            if (units < 0)
                return std::nullopt;
        } else if (decimals < 4) {
            qint64 scale = Money::unitsPerWhole;
            for (int d = 0; d <= decimals; ++d)
                scale /= 10;
            units += digit * scale;
            ++decimals;
        } else if (roundingDigit < 0) {
            roundingDigit = digit;
        } else if (digit != 0) {
            beyondHalf = true;
        }
    }
    if (units > std::numeric_limits<qint64>::max() / 2)
        return std::nullopt;
    // Beyond four decimals the amount is rounded as a currency value is: halves to the even unit.
    if (roundingDigit > 5 || (roundingDigit == 5 && (beyondHalf || units % 2 != 0)))
        ++units;
    return Money::fromUnits(negative ? -units : units);
}

bool RecordTexts::acceptsKey(QChar key, const QString& current, bool clock12Hour, bool tipsBox)
{
    if (key == u'\b' || key == u' ' || (key >= u'0' && key <= u'9'))
        return true;
    if (key == u':')
        return !current.contains(u':');
    if (key == u'.')
        return !(tipsBox && current.contains(u'.'));
    if (clock12Hour)
        return QStringLiteral("aAmMpP").contains(key);
    return false;
}
