#include "staff/StaffCsv.h"

#include "staff/DepartmentEditing.h"
#include "staff/EmployeeEditing.h"
#include "staff/ImportSummary.h"
#include "staff/ScheduleGrid.h"
#include "staff/TypedPeriods.h"
#include "store/EmployeeId.h"
#include "store/Windows1252.h"

#include <QBuffer>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

namespace {
constexpr int firstDayColumn = 5;
constexpr int columnCount = firstDayColumn + ScheduleGrid::dayRows;
const QString yes = QStringLiteral("yes");
const QString no = QStringLiteral("no");

QString quoted(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\r')) && !field.contains(QLatin1Char('\n')))
        return field;
    QString escaped = field;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void appendRow(QString& out, const QStringList& fields)
{
    QStringList cells;
    for (const QString& f : fields)
        cells.append(quoted(f));
    out += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString departmentName(const DepartmentList& departments, qint32 number)
{
    for (const Department& d : departments.entries) {
        if (d.number == number && number != 0)
            return d.name;
    }
    return {};
}

bool knownDepartment(const QList<Department>& departments, qint32 number)
{
    for (const Department& d : departments) {
        if (d.number == number)
            return true;
    }
    return false;
}

// The schedule of the typed periods, or the old one when it already says the same, so that an
// unchanged employee stays byte for byte what the file holds.
WeeklySchedule scheduleOf(const std::array<QList<SchedulePeriod>, ScheduleGrid::dayRows>& days,
                          const WeeklySchedule& old)
{
    const ScheduleGrid oldGrid(old);
    bool same = true;
    for (int d = 1; d <= ScheduleGrid::dayRows; ++d)
        same = same && oldGrid.periods(d) == days[d - 1];
    if (same)
        return old;
    ScheduleGrid grid;
    for (int d = 1; d <= ScheduleGrid::dayRows; ++d)
        grid.setPeriods(d, days[d - 1]);
    return grid.schedule();
}

QString weekdayName(int day)
{
    return StaffCsv::header().at(firstDayColumn + day - 1);
}
} // namespace

QStringList StaffCsv::header()
{
    return {QStringLiteral("Name"),     QStringLiteral("ID"),      QStringLiteral("Department"),
            QStringLiteral("Pay"),      QStringLiteral("Active"),  QStringLiteral("Sunday"),
            QStringLiteral("Monday"),   QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
            QStringLiteral("Thursday"), QStringLiteral("Friday"),  QStringLiteral("Saturday")};
}

QByteArray StaffCsv::exportBytes(const EmployeeList& employees, const DepartmentList& departments)
{
    QString out;
    appendRow(out, header());
    for (const Employee& e : employees.entries) {
        QStringList row{e.name, e.employeeId, departmentName(departments, e.departmentNumber),
                        e.pay.toString(), e.active ? yes : no};
        const ScheduleGrid grid(e.schedule);
        for (int d = 1; d <= ScheduleGrid::dayRows; ++d)
            row.append(TypedPeriods::format(grid.periods(d)));
        appendRow(out, row);
    }
    return out.toUtf8();
}

QList<StaffCsv::Record> StaffCsv::records(const QString& text, QString* error)
{
    QList<Record> result;
    Record current{1, {}};
    QString field;
    bool inQuotes = false;
    bool fieldWasQuoted = false;
    int line = 1;
    int quoteLine = 0;
    auto endField = [&] {
        current.fields.append(field);
        field.clear();
        fieldWasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        const bool blank = current.fields.size() == 1 && current.fields.first().isEmpty();
        if (!blank)
            result.append(current);
        current = Record{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.isEmpty() && !fieldWasQuoted) {
            inQuotes = fieldWasQuoted = true;
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else {
            field.append(c);
        }
    }
    if (inQuotes && error)
        *error = QStringLiteral("line %1: a quoted field is not closed").arg(quoteLine);
    if (!field.isEmpty() || !current.fields.isEmpty())
        endRecord();
    return result;
}

namespace {
// The records of a file one at a time, read a line at a time, so that a file of any size is planned
// in the memory of its kept rows. A quoted field may run over several lines.
class RecordStream {
public:
    explicit RecordStream(QIODevice& device)
        : m_device(device)
    {}

    std::optional<StaffCsv::Record> next()
    {
        while (m_ready.isEmpty() && m_problem.isEmpty() && !m_device.atEnd()) {
            const int firstLine = m_line;
            QByteArray raw;
            do {
                const QByteArray line = m_device.readLine();
                raw += line;
                if (line.endsWith('\n'))
                    ++m_line;
            } while (raw.count('"') % 2 != 0 && !m_device.atEnd());
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = utf8.decode(raw);
            if (utf8.hasError()) {
                m_problem = QStringLiteral("the file is not UTF-8 text");
                break;
            }
            if (firstLine == 1 && text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            QString quoteError;
            for (StaffCsv::Record& record : StaffCsv::records(text, &quoteError)) {
                record.line += firstLine - 1;
                m_ready.append(std::move(record));
            }
            if (!quoteError.isEmpty())
                m_problem = QStringLiteral("line %1: a quoted field is not closed").arg(firstLine);
        }
        if (m_ready.isEmpty())
            return std::nullopt;
        return m_ready.takeFirst();
    }
    // Why the file cannot be read further (not UTF-8, a quote left open); empty while it can.
    const QString& problem() const { return m_problem; }

private:
    QIODevice& m_device;
    int m_line = 1;
    QList<StaffCsv::Record> m_ready;
    QString m_problem;
};
} // namespace

StaffCsv::Plan StaffCsv::plan(const QByteArray& bytes, const EmployeeList& employees,
                              const DepartmentList& departments)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return plan(buffer, employees, departments);
}

StaffCsv::Plan StaffCsv::plan(QIODevice& file, const EmployeeList& employees,
                              const DepartmentList& departments)
{
    Plan plan;
    // A file of a million bad rows is told by its first problems and a count, not a million lines.
    const auto problem = [&plan](const QString& text) {
        if (plan.errors.size() < Plan::keptErrors)
            plan.errors.append(text);
        ++plan.errorCount;
    };
    RecordStream rows(file);
    // The file as a whole is refused for these, with that one reason.
    const auto unreadable = [&] {
        if (rows.problem().isEmpty())
            return false;
        plan.errors = {rows.problem()};
        plan.errorCount = 1;
        return true;
    };
    const std::optional<Record> first = rows.next();
    if (unreadable())
        return plan;
    if (!first || first->fields != header()) {
        problem(QStringLiteral("line 1: the first row must be %1").arg(header().join(QLatin1Char(','))));
        return plan;
    }

    plan.departments = departments.entries;
    plan.employees = employees.entries;
    qint32 nextDepartment = departments.highestNumber + 1;
    qint32 nextEmployee = employees.highestNumber + 1;
    QHash<QString, int> lineOfId;
    while (const std::optional<Record> next = rows.next()) {
        const Record& row = *next;
        const QString at = QStringLiteral("line %1: ").arg(row.line);
        if (row.fields.size() != columnCount) {
            problem(at + QStringLiteral("%1 fields where %2 belong").arg(row.fields.size()).arg(columnCount));
            continue;
        }
        const qsizetype errorsBefore = plan.errorCount;
        const QString name = EmployeeEditing::cleaned(row.fields[0]);
        const QString id = EmployeeEditing::cleaned(row.fields[1]);
        const QString departmentText = EmployeeEditing::cleaned(row.fields[2]);
        const QString payText = row.fields[3].trimmed();
        const QString activeText = row.fields[4].trimmed().toLower();
        if (name.isEmpty())
            problem(at + QStringLiteral("the name is empty"));
        for (const auto& [what, value] :
             {std::pair{"name", name}, {"ID", id}, {"department", departmentText}}) {
            const auto control = std::find_if(value.cbegin(), value.cend(),
                                              [](QChar c) { return c.category() == QChar::Other_Control; });
            if (control != value.cend())
                problem(at + QStringLiteral("the %1 contains the control character \\x%2")
                                 .arg(QLatin1String(what))
                                 .arg(control->unicode(), 2, 16, QLatin1Char('0')));
        }
        // Written as "?", such a character could make two IDs one; nothing is written instead.
        for (const auto& [what, value] :
             {std::pair{"name", name}, {"ID", id}, {"department", departmentText}}) {
            if (const QString c = Windows1252::firstUnencodable(value); !c.isEmpty())
                problem(at + QStringLiteral("the %1 contains \"%2\", which the staff files cannot hold")
                                 .arg(QLatin1String(what), c));
        }
        if (id.isEmpty()) {
            problem(at + QStringLiteral("the ID is empty"));
        } else if (const auto seen = lineOfId.constFind(EmployeeId::normalised(id));
                   seen != lineOfId.cend()) {
            problem(at + QStringLiteral("ID %1 is already on line %2").arg(id).arg(*seen));
        } else {
            lineOfId.insert(EmployeeId::normalised(id), row.line);
        }
        if (departmentText.contains(QLatin1Char('"')))
            problem(at + QStringLiteral("the department name contains a double quote"));
        std::optional<Money> pay = payText.isEmpty() ? std::optional<Money>(Money()) : Money::parse(payText);
        if (!pay)
            problem(at + QStringLiteral("pay \"%1\" is not an amount such as 12.50").arg(payText));
        else if (pay->units() < 0)
            problem(at + QStringLiteral("pay \"%1\" is below zero").arg(payText));
        if (activeText != yes && activeText != no)
            problem(at + QStringLiteral("Active must be yes or no, not \"%1\"").arg(row.fields[4]));
        std::array<QList<SchedulePeriod>, ScheduleGrid::dayRows> days;
        for (int d = 1; d <= ScheduleGrid::dayRows; ++d) {
            const TypedPeriods::Parsed parsed = TypedPeriods::parse(row.fields[firstDayColumn + d - 1]);
            if (!parsed.ok())
                problem(at + weekdayName(d) + QStringLiteral(": ") + parsed.error);
            days[d - 1] = parsed.periods;
        }
        if (plan.errorCount != errorsBefore)
            continue;

        qint16 departmentNumber = 0;
        if (!departmentText.isEmpty()) {
            const int found = DepartmentEditing::indexOfName(plan.departments, departmentText);
            if (found >= 0) {
                departmentNumber = static_cast<qint16>(plan.departments[found].number);
            } else if (nextDepartment > highestStaffNumber) {
                problem(at + QStringLiteral("every department number is in use"));
                continue;
            } else {
                departmentNumber = static_cast<qint16>(nextDepartment);
                plan.changes.append({Change::Kind::Department,
                                     QString::number(nextDepartment),
                                     departmentText,
                                     {QStringLiteral("new")}});
                plan.departments.append({nextDepartment++, departmentText});
                ++plan.departmentsAdded;
            }
        }

        const int existing = EmployeeEditing::indexOfId(employees.entries, id);
        Employee e;
        if (existing >= 0) {
            e = employees.entries[existing];
            // An employee of a department deleted since keeps its number when the cell is empty, so
            // that exporting and importing again changes nothing.
            if (!departmentText.isEmpty() || knownDepartment(departments.entries, e.departmentNumber))
                e.departmentNumber = departmentNumber;
        } else if (nextEmployee > highestStaffNumber) {
            problem(at + QStringLiteral("every employee number is in use"));
            continue;
        } else {
            e.employeeNumber = nextEmployee++;
            e.departmentNumber = departmentNumber;
        }
        e.name = name;
        e.employeeId = id;
        e.pay = *pay;
        e.active = activeText == yes;
        e.schedule = scheduleOf(days, e.schedule);
        if (existing < 0) {
            plan.employees.append(e);
            plan.changes.append({Change::Kind::Add, e.employeeId, e.name, {}});
            ++plan.added;
        } else if (e == employees.entries[existing]) {
            plan.changes.append({Change::Kind::Unchanged, e.employeeId, e.name, {}});
            ++plan.unchanged;
        } else {
            plan.changes.append({Change::Kind::Change, e.employeeId, e.name,
                                 ImportSummary::differences(employees.entries[existing], e)});
            plan.employees[existing] = e;
            ++plan.updated;
        }
    }
    if (unreadable() || !plan.errors.isEmpty())
        return plan;
    plan.employeesChanged = plan.added + plan.updated > 0;
    plan.departmentsChanged = plan.departmentsAdded > 0;
    if (plan.employeesChanged)
        plan.employees = EmployeeEditing::sortedByName(plan.employees);
    if (plan.departmentsChanged)
        plan.departments = DepartmentEditing::sortedByName(plan.departments);
    return plan;
}
