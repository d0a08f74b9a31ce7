#include "pay/PayRates.h"

Money EmployeeRates::rateOn(qint32 day) const
{
    const Change* best = nullptr;
    for (const Change& c : changes)
        if (c.fromDay <= day && (!best || c.fromDay >= best->fromDay))
            best = &c;
    return best ? best->rate : storedPay;
}
