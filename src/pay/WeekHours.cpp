#include "pay/WeekHours.h"

#include "pay/PayCalculation.h"
#include "pay/PaySettingsRules.h"
#include "pay/WorkCalendar.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/ReportRows.h"

namespace {
QString hoursText(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

PayMinutes WeekHours::of(Database& database, const SettingsRecord& settings, const QString& employeeId,
                         const QDateTime& now, const QTimeZone& zone)
{
    PayRequest request;
    request.rules = PaySettingsRules::rules(settings);
    request.rounding = PaySettingsRules::rounding(settings);
    request.zone = zone;
    const WorkCalendar calendar(request.rules);
    const qint64 clockFace =
        qint64(DayNumber::of(now.date())) * WorkCalendar::secondsPerDay + now.time().msecsSinceStartOfDay() / 1000;
    request.lastDay = calendar.workdayOf(clockFace);
    request.firstDay = calendar.weekOf(request.lastDay);
    const auto [from, to] = PayCalculation::rowDays(request.firstDay, request.lastDay, request.rules);
    const QList<ReportRow> rows = ReportRows::forEmployee(database, employeeId, from, to);
    const PayRates noRates; // minutes only: what they pay is not shown at the clock
    const PayResult result = PayCalculation(request, settings, noRates).compute(rows);
    PayMinutes paid;
    const QString id = EmployeeId::normalised(employeeId);
    for (const EmployeePay& employee : result.employees) {
        if (employee.id == id)
            paid += employee.paid;
    }
    return paid;
}

QString WeekHours::line(const PayMinutes& paid)
{
    QString text = QStringLiteral("This week: ") + hoursText(paid.total());
    const qint64 overtime = paid.overtime + paid.doubleTime;
    if (overtime > 0)
        text += QStringLiteral(", overtime ") + hoursText(overtime);
    return text;
}
