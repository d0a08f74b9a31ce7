#pragma once

#include "store/PayRateTable.h"

#include <QList>
#include <QString>
#include <variant>

// The pay rates dialog's rules: what a typed rate may be, and the list after a rate is set or
// removed (one rate per day, earliest first).
namespace PayRateEditing {
// The rate typed, or the reason it is none ("18.50" and "18.5" are rates; "18,50", "-2" and
// "1.23456" are not).
std::variant<Money, QString> rateOf(const QString& typed);
// The list with the rate of that day set (added, or in place of the one of that day).
QList<PayRateRow> withRate(QList<PayRateRow> rates, const PayRateRow& rate);
QList<PayRateRow> without(QList<PayRateRow> rates, qint32 fromDay);
// "18.50", or every decimal of a rate kept finer than a cent.
QString rateText(Money rate);
} // namespace PayRateEditing
