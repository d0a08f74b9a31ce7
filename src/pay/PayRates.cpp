#include "pay/PayRates.h"

#include "store/EmployeeId.h"
#include "store/PayRateTable.h"
#include "store/StaffFiles.h"

Money EmployeeRates::rateOn(qint32 day) const
{
    const Change* best = nullptr;
    for (const Change& c : changes)
        if (c.fromDay <= day && (!best || c.fromDay >= best->fromDay))
            best = &c;
    return best ? best->rate : storedPay;
}

PayRates payRatesOf(const QList<Employee>& employees, const QHash<QString, QList<PayRateRow>>& dated)
{
    PayRates rates;
    for (const Employee& e : employees)
        if (e.employeeNumber > 0)
            rates[EmployeeId::normalised(e.employeeId)].storedPay = e.pay;
    for (auto it = dated.cbegin(); it != dated.cend(); ++it) {
        EmployeeRates& r = rates[EmployeeId::normalised(it.key())];
        for (const PayRateRow& row : it.value())
            r.changes.append({row.fromDay, row.rate});
    }
    return rates;
}
