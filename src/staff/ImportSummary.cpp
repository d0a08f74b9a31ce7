#include "staff/ImportSummary.h"

#include "staff/ScheduleGrid.h"

namespace {
using Kind = StaffCsv::Change::Kind;

QString counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}
} // namespace

QStringList ImportSummary::differences(const Employee& before, const Employee& after)
{
    QStringList what;
    if (before.name != after.name)
        what.append(QStringLiteral("name"));
    if (before.employeeId != after.employeeId)
        what.append(QStringLiteral("ID"));
    if (before.departmentNumber != after.departmentNumber)
        what.append(QStringLiteral("department"));
    if (before.pay != after.pay)
        what.append(QStringLiteral("pay"));
    if (before.active != after.active)
        what.append(after.active ? QStringLiteral("active") : QStringLiteral("inactive"));
    const ScheduleGrid was(before.schedule);
    const ScheduleGrid is(after.schedule);
    // The weekdays are named as the spreadsheet's columns are.
    const QStringList columns = StaffCsv::header();
    for (int day = 1; day <= ScheduleGrid::dayRows; ++day) {
        if (was.periods(day) != is.periods(day))
            what.append(columns.at(columns.size() - ScheduleGrid::dayRows + day - 1));
    }
    return what;
}

QStringList ImportSummary::newDepartments(const StaffCsv::Plan& plan)
{
    QStringList names;
    for (const StaffCsv::Change& c : plan.changes) {
        if (c.kind == Kind::Department)
            names.append(c.name);
    }
    return names;
}

QString ImportSummary::sentence(const StaffCsv::Plan& plan)
{
    QStringList changed;
    for (const StaffCsv::Change& c : plan.changes) {
        if (c.kind == Kind::Change)
            changed.append(c.key + QLatin1Char(' ') + c.name + QStringLiteral(": ") +
                           c.what.join(QStringLiteral(", ")));
    }
    QStringList parts = {QStringLiteral("%1 added").arg(plan.added)};
    parts.append(
        QStringLiteral("%1 changed").arg(plan.updated) +
        (changed.isEmpty() ? QString() : QStringLiteral(" (") + changed.join(QStringLiteral("; ")) + u')'));
    if (plan.unchanged > 0)
        parts.append(QStringLiteral("%1 unchanged").arg(plan.unchanged));
    const QStringList departments = newDepartments(plan);
    if (!departments.isEmpty())
        parts.append(counted(departments.size(), "new department", "new departments") + QStringLiteral(" (") +
                     departments.join(QStringLiteral(", ")) + u')');
    return parts.join(QStringLiteral(", "));
}

QStringList ImportSummary::tabLines(const StaffCsv::Plan& plan)
{
    static const char* const kinds[] = {"add", "change", "unchanged", "department"};
    QStringList lines;
    for (const StaffCsv::Change& c : plan.changes)
        lines.append(QStringList{QString::fromLatin1(kinds[static_cast<int>(c.kind)]), c.key, c.name,
                                 c.what.join(QStringLiteral(", "))}
                         .join(u'\t'));
    return lines;
}
