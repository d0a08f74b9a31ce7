#include "store/Money.h"

#include <limits>

std::optional<Money> Money::parse(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool sawDigit = false;
    bool sawPoint = false;
    constexpr qint64 maxWhole = std::numeric_limits<qint64>::max() / unitsPerWhole / 10;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.') && !sawPoint) {
            sawPoint = true;
        } else if (c.isDigit() && c.unicode() < 128) {
            sawDigit = true;
            const int digit = c.unicode() - '0';
            if (sawPoint) {
                if (++fractionDigits > 4)
                    return std::nullopt;
                fraction = fraction * 10 + digit;
            } else {
                if (whole > maxWhole)
                    return std::nullopt;
                whole = whole * 10 + digit;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    for (int d = fractionDigits; d < 4; ++d)
        fraction *= 10;
    const qint64 units = whole * unitsPerWhole + fraction;
    return Money(negative ? -units : units);
}

QString Money::toString() const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString text = QString::number(magnitude / unitsPerWhole);
    qint64 fraction = magnitude % unitsPerWhole;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return m_units < 0 ? QLatin1Char('-') + text : text;
}

QString Money::toFixed(int decimals) const
{
    decimals = qBound(0, decimals, 4);
    qint64 scale = 1;
    for (int d = decimals; d < 4; ++d)
        scale *= 10;
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    const qint64 rounded = (magnitude + scale / 2) / scale;
    qint64 perWhole = 1;
    for (int d = 0; d < decimals; ++d)
        perWhole *= 10;
    QString text = QString::number(rounded / perWhole);
    if (decimals > 0)
        text +=
            QLatin1Char('.') + QStringLiteral("%1").arg(rounded % perWhole, decimals, 10, QLatin1Char('0'));
    return m_units < 0 && rounded != 0 ? QLatin1Char('-') + text : text;
}
