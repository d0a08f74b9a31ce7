#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// An exact amount of money in ten-thousandths, the way tips and pay are stored and summed.
class Money {
public:
    static constexpr qint64 unitsPerWhole = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    // Plain decimal text such as "12.5", "-3", ".25"; blanks around are allowed. More than four
    // decimals, or anything else, is not a money value.
    static std::optional<Money> parse(const QString& text);

    constexpr qint64 units() const { return m_units; }
    // Plain decimal text without trailing zeros: 12.5, 3, -0.25.
    QString toString() const;
    // Fixed decimals for display, rounded half away from zero: 12.50.
    QString toFixed(int decimals) const;

    constexpr Money operator+(Money other) const { return Money(m_units + other.m_units); }
    constexpr Money& operator+=(Money other)
    {
        m_units += other.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units)
        : m_units(units)
    {}
    qint64 m_units = 0;
};
