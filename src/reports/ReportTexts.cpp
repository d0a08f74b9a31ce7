#include "reports/ReportTexts.h"

namespace {
// A non-negative number as the report writes it after a word: one blank where the sign would be.
QString afterWord(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString deductionCore(int breaks, int minutesToDeduct)
{
    const qint64 total = qint64(minutesToDeduct) * breaks;
    return QStringLiteral("Deducted") + afterWord(breaks) + QStringLiteral(" (") +
           QString::number(minutesToDeduct) + QStringLiteral(" minutes") +
           (breaks < 2 ? QStringLiteral(" break") : QStringLiteral(" breaks")) +
           QStringLiteral(") for a total of") + afterWord(total) + QStringLiteral(" minutes");
}

QString withSeparators(qint64 whole)
{
    QString digits = QString::number(whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

// Cents rounded half away from zero, the way the amount shows with two decimals.
qint64 cents(Money amount)
{
    const qint64 units = amount.units();
    const qint64 per = Money::unitsPerWhole / 100;
    return units < 0 ? -((-units + per / 2) / per) : (units + per / 2) / per;
}
} // namespace

QString ReportTexts::ConvertToHrsMin(qint64 minutes)
{
    if (minutes < 0)
        return QLatin1Char('-') + ConvertToHrsMin(-minutes);
    return QString::number(minutes / 60) + QLatin1Char(':') +
           QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ReportTexts::moneyPlain(Money amount)
{
    const qint64 c = cents(amount);
    const qint64 magnitude = c < 0 ? -c : c;
    const QString whole = magnitude >= 100 ? QString::number(magnitude / 100) : QString();
    return (c < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString ReportTexts::moneyGrouped(Money amount)
{
    const qint64 c = cents(amount);
    const qint64 magnitude = c < 0 ? -c : c;
    return (c < 0 ? QStringLiteral("-") : QString()) + withSeparators(magnitude / 100) + QLatin1Char('.') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString ReportTexts::groupDeduction(int breaks, int minutesToDeduct)
{
    return QLatin1Char(' ') + deductionCore(breaks, minutesToDeduct) + QStringLiteral("    ");
}

QString ReportTexts::grandDeduction(int breaks, int minutesToDeduct)
{
    return deductionCore(breaks, minutesToDeduct) + QStringLiteral(" (") +
           ConvertToHrsMin(qint64(minutesToDeduct) * breaks) + QStringLiteral(" Hrs:Min)");
}

std::optional<ReportTexts::DateProblem> ReportTexts::CheckDate(qint32 firstDay, qint32 lastDay)
{
    const QString title = QStringLiteral("Date error");
    if (firstDay == 0)
        return DateProblem{QStringLiteral("Starting date is missing..."), title};
    if (lastDay == 0)
        return DateProblem{QStringLiteral("Ending date is missing..."), title};
    if (lastDay < firstDay)
        return DateProblem{QStringLiteral("Last date must be the same or later then First date!"), title};
    return std::nullopt;
}

QString ReportTexts::noRecordsText()
{
    return QStringLiteral("No records found for printing..");
}

QString ReportTexts::noRecordsTitle()
{
    return QStringLiteral("No records");
}

QString ReportTexts::markName(qint16 options)
{
    switch (options) {
    case 1:
        return QStringLiteral("Edited");
    case 2:
        return QStringLiteral("Inserted");
    case 3:
        return QStringLiteral("Forced");
    case 4:
        return QStringLiteral("In early");
    case 5:
        return QStringLiteral("In late");
    case 6:
        return QStringLiteral("Out early");
    case 7:
        return QStringLiteral("Out late");
    default:
        return {};
    }
}
