#pragma once

#include "pay/PayRates.h"
#include "pay/PayResult.h"
#include "pay/PayRules.h"
#include "reports/Rounding.h"

#include <QTimeZone>

struct SettingsRecord;

// What pay is computed for: the workdays of the period and how punches are read.
struct PayRequest {
    qint32 firstDay = 0; // workdays, by the day number of the date each starts on
    qint32 lastDay = 0;
    RoundingCode rounding;
    PayRules rules;
    QTimeZone zone = QTimeZone::systemTimeZone(); // the station's, for time that really passed
};

// Turns the clocking report's pairs into worked time by kind of pay and gross pay: workdays and
// workweeks, daily, weekly and seventh-day overtime, rates by date, exact money.
class PayCalculation {
public:
    PayCalculation(const PayRequest& request, const SettingsRecord& settings, const PayRates& rates);

    // The day numbers of the records to read for the period: from the day before its first
    // workweek (whose earlier workdays count toward weekly overtime) to two days after its end (for
    // the OUTs of its last shifts).
    static std::pair<qint32, qint32> rowDays(qint32 firstDay, qint32 lastDay, const PayRules& rules);

    // The rows as ReportRows selects them in employee order; the result points into them.
    PayResult compute(const QList<ReportRow>& rows) const;

private:
    PayRequest m_request;
    const SettingsRecord& m_settings;
    const PayRates& m_rates;
};
