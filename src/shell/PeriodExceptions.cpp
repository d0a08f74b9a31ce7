#include "shell/PeriodExceptions.h"

#include "exceptions/PunchExceptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"

PeriodReview::ExceptionCounts PeriodExceptions::counter(const Services& services, const Session& session)
{
    return [&services, &session](const PayPeriod& period) {
        const ExceptionRules rules = ExceptionRules::of(session.settings(), services.time.now());
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
