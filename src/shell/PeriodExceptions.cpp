#include "shell/PeriodExceptions.h"

#include "exceptions/PunchExceptions.h"
#include "pay/PaySummary.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/StoredTime.h"

PeriodReview::ExceptionCounts PeriodExceptions::counter(const Services& services, const Session& session)
{
    return [&services, &session](const PayPeriod& period) {
        ExceptionRules rules;
        rules.workdays = PaySummary::rulesOf(session);
        rules.now = ReportRows::clockSeconds(StoredTime::toText(services.time.now()).toUtf8());
        ExceptionQuery query;
        query.firstDay = DayNumber::of(period.first);
        query.lastDay = DayNumber::of(period.last);
        const QList<PunchException> found = PunchExceptions::load(services.database, query, rules);
        QList<OpenExceptions> counts;
        QHash<QString, qsizetype> indexOf;
        for (const PunchException& e : found) {
            const QString id = EmployeeId::normalised(e.employeeId);
            if (!indexOf.contains(id)) {
                indexOf.insert(id, counts.size());
                counts.append({id, e.employee.trimmed(), 0});
            }
            ++counts[indexOf.value(id)].count;
        }
        return counts;
    };
}
