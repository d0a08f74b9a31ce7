#include "staff/PayRateEditing.h"

#include <algorithm>

std::variant<Money, QString> PayRateEditing::rateOf(const QString& typed)
{
    const std::optional<Money> rate = Money::parse(typed);
    if (!rate)
        return QStringLiteral("Type the hourly rate as a number with a point, such as 18.50.");
    if (rate->units() < 0)
        return QStringLiteral("A pay rate cannot be less than nothing.");
    return *rate;
}

QList<PayRateRow> PayRateEditing::withRate(QList<PayRateRow> rates, const PayRateRow& rate)
{
    rates = without(std::move(rates), rate.fromDay);
    const auto at = std::lower_bound(rates.begin(), rates.end(), rate.fromDay,
                                     [](const PayRateRow& r, qint32 day) { return r.fromDay < day; });
    rates.insert(at, rate);
    return rates;
}

QList<PayRateRow> PayRateEditing::without(QList<PayRateRow> rates, qint32 fromDay)
{
    rates.removeIf([fromDay](const PayRateRow& r) { return r.fromDay == fromDay; });
    return rates;
}

QString PayRateEditing::rateText(Money rate)
{
    return rate.units() % 100 == 0 ? rate.toFixed(2) : rate.toString();
}
