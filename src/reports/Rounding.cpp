#include "reports/Rounding.h"

#include "store/DayNumber.h"

namespace {
constexpr qint64 minute = 60;
constexpr qint64 day = 86400;

qint64 minuteOfHour(qint64 seconds)
{
    return (seconds / minute) % 60;
}

qint64 dropSeconds(qint64 seconds)
{
    return seconds - seconds % minute;
}

// Forward when the remainder reaches `up`, back to the step otherwise.
qint64 toNearest(qint64 seconds, qint64 step, qint64 up)
{
    const qint64 r = minuteOfHour(seconds) % step;
    return dropSeconds(r >= up ? seconds + (step - r) * minute : seconds - r * minute);
}

const QString lineBreak = QStringLiteral("\n");
} // namespace

qint64 Rounding::nearestQuarter(qint64 seconds)
{
    return toNearest(seconds, 15, 8);
}

qint64 Rounding::nextQuarter(qint64 seconds)
{
    return dropSeconds(seconds + (15 - minuteOfHour(seconds) % 15) * minute);
}

qint64 Rounding::previousQuarter(qint64 seconds)
{
    return seconds - (minuteOfHour(seconds) % 15) * minute;
}

qint64 Rounding::nearestFiveMinutes(qint64 seconds)
{
    return toNearest(seconds, 5, 3);
}

qint64 Rounding::nearestSixMinutes(qint64 seconds)
{
    return toNearest(seconds, 6, 3);
}

qint64 Rounding::noAdjustment(qint64 seconds)
{
    return dropSeconds(seconds);
}

qint64 Rounding::toSeconds(const QDateTime& moment)
{
    return qint64(DayNumber::of(moment.date())) * day + moment.time().msecsSinceStartOfDay() / 1000;
}

QDateTime Rounding::toDateTime(qint64 seconds)
{
    const qint64 days = seconds >= 0 ? seconds / day : (seconds - day + 1) / day;
    return QDateTime(DayNumber::toDate(static_cast<qint32>(days)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>((seconds - days * day) * 1000)));
}

QDateTime Rounding::apply(qint64 (*rule)(qint64), const QDateTime& moment)
{
    return toDateTime(rule(toSeconds(moment)));
}

QString Rounding::warningTitle()
{
    return QStringLiteral("Rounding");
}

QString Rounding::warningText()
{
    return QStringLiteral("Caution...") + lineBreak +
           QStringLiteral("In this rounding combination, Stop times could") + lineBreak +
           QStringLiteral("precede some Start times in the report.");
}

RoundingCode::RoundingCode(int code)
    : m_code(isValid(code) ? code : defaultCode)
{}

bool RoundingCode::isValid(int code)
{
    return code >= 11 && code <= 55 && code % 10 >= 1 && code % 10 <= 5;
}

std::optional<RoundingCode> RoundingCode::parse(const QString& text)
{
    bool ok = false;
    const int code = text.toInt(&ok);
    if (!ok || text.size() != 2 || !isValid(code))
        return std::nullopt;
    return RoundingCode(code);
}

RoundingCode RoundingCode::fromOptions(int inOption, int outOption)
{
    return RoundingCode((inOption + 1) * 10 + outOption + 1);
}

namespace {
// The rules shared by both directions; digit 2 is the one that leans the employee's way.
qint64 roundByDigit(int digit, qint64 seconds, qint64 (*digitTwo)(qint64))
{
    switch (digit) {
    case 1:
        return Rounding::nearestQuarter(seconds);
    case 2:
        return digitTwo(seconds);
    case 4:
        return Rounding::nearestFiveMinutes(seconds);
    case 5:
        return Rounding::nearestSixMinutes(seconds);
    default:
        return Rounding::noAdjustment(seconds);
    }
}
} // namespace

qint64 RoundingCode::roundIn(qint64 seconds) const
{
    return roundByDigit(inDigit(), seconds, &Rounding::nextQuarter);
}

qint64 RoundingCode::roundOut(qint64 seconds) const
{
    return roundByDigit(outDigit(), seconds, &Rounding::previousQuarter);
}

QString RoundingCode::line() const
{
    static const QString inTexts[] = {
        QStringLiteral("Clock INs are rounded to the nearest quarter "),
        QStringLiteral("Clock INs are rounded UP to the nearest quarter "),
        QString(),
        QStringLiteral("Clock INs are rounded to the nearest 5 minutes "),
        QStringLiteral("Clock INs are rounded to the nearest 6 minutes "),
    };
    static const QString outTexts[] = {
        QStringLiteral("Clock OUTs are rounded to the nearest quarter"),
        QStringLiteral("Clock OUTs are rounded DOWN to the nearest quarter "),
        QString(),
        QStringLiteral("Clock OUTs are rounded to the nearest 5 minutes "),
        QStringLiteral("Clock OUTs are rounded to the nearest 6 minutes "),
    };
    const QString& in = inTexts[inOption()];
    const QString& out = outTexts[outOption()];
    if (in.isEmpty() && out.isEmpty())
        return {};
    return in + QStringLiteral(" - ") + out;
}

QStringList RoundingCode::inOptionTexts()
{
    return {QStringLiteral("To the nearest quarter"), QStringLiteral("Later to the nearest quarter"),
            QStringLiteral("Do not adjust"), QStringLiteral("To the nearest 5 minutes"),
            QStringLiteral("To the nearest 6 minutes (.1hr.)")};
}

QStringList RoundingCode::outOptionTexts()
{
    return {QStringLiteral("To the nearest quarter"), QStringLiteral("Earlier to the nearest quarter"),
            QStringLiteral("Do not adjust"), QStringLiteral("To the nearest 5 minutes"),
            QStringLiteral("To the nearest 6 minutes (.1hr.)")};
}
