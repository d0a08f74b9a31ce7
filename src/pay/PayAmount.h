#pragma once

#include "store/Money.h"

// An amount of pay summed exactly from minutes at hourly rates and multipliers, rounded to the cent
// only when it is read.
class PayAmount {
public:
    // `multiplier` in ten-thousandths: 10000 is the plain rate, 15000 time and a half.
    void add(qint64 minutes, Money hourlyRate, qint32 multiplier)
    {
        m_sum += Wide(minutes) * hourlyRate.units() * multiplier;
    }
    // Half a cent and more goes away from zero.
    Money toCents() const
    {
        // minutes × rate units × multiplier units per cent
        constexpr Wide perCent = Wide(60) * 10000 * 100;
        const Wide magnitude = m_sum < 0 ? -m_sum : m_sum;
        const Wide cents = (magnitude + perCent / 2) / perCent;
        return Money::fromUnits(static_cast<qint64>(m_sum < 0 ? -cents : cents) * 100);
    }

private:
    // A year of minutes at any plausible rate and multiplier can pass 64 bits.
    __extension__ typedef __int128 Wide;
    Wide m_sum = 0;
};
