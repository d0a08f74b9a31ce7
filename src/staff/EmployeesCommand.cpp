#include "staff/EmployeesCommand.h"

#include "settings/ProgramState.h"
#include "staff/StaffCsv.h"
#include "staff/StaffSaving.h"

#include <QFile>
#include <QSaveFile>

namespace {
constexpr int notWritten = 6;
constexpr int fileRefused = 7;
const QString usage =
    QStringLiteral("usage: tellarin employees import FILE.csv | tellarin employees export [FILE.csv]");

int importFile(ProgramState& state, const QString& path, QTextStream& out, QTextStream& err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "tellarin: cannot read " << path << ": " << file.errorString() << Qt::endl;
        return 2;
    }
    const StaffCsv::Plan plan = StaffCsv::plan(file.readAll(), state.employees, state.departments);
    if (!plan.errors.isEmpty()) {
        err << "tellarin: " << path << ": nothing imported, " << plan.errors.size()
            << (plan.errors.size() == 1 ? " problem" : " problems") << Qt::endl;
        for (const QString& e : plan.errors)
            err << e << Qt::endl;
        return fileRefused;
    }
    if (plan.employeesChanged || plan.departmentsChanged) {
        const StaffSaving::Outcome outcome =
            StaffSaving::save(state, plan.employeesChanged ? std::optional(plan.employees) : std::nullopt,
                              plan.departmentsChanged ? std::optional(plan.departments) : std::nullopt);
        if (outcome.status == StaffSaving::Status::FilesNotWritten) {
            err << "tellarin: " << outcome.message.simplified() << Qt::endl;
            return notWritten;
        }
        if (outcome.status == StaffSaving::Status::TableNotRebuilt) {
            err << "tellarin: staff files saved, but today's staff table was not rebuilt: "
                << outcome.message.simplified() << Qt::endl;
            return 3;
        }
    }
    out << "added\t" << plan.added << '\n'
        << "updated\t" << plan.updated << '\n'
        << "unchanged\t" << plan.unchanged << '\n'
        << "departments added\t" << plan.departmentsAdded << Qt::endl;
    return 0;
}

int exportFile(const ProgramState& state, const QString& path, QTextStream& out, QTextStream& err)
{
    const QByteArray bytes = StaffCsv::exportBytes(state.employees, state.departments);
    if (path.isEmpty()) {
        out << QString::fromUtf8(bytes);
        out.flush();
    } else {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            err << "tellarin: cannot write " << path << ": " << file.errorString() << Qt::endl;
            return notWritten;
        }
    }
    return state.employees.entries.isEmpty() ? 1 : 0;
}
} // namespace

int runEmployeesCommand(ProgramState& state, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString action = args.value(0);
    const bool importing = action == QLatin1String("import") && args.size() == 2;
    const bool exporting = action == QLatin1String("export") && args.size() <= 2;
    if (!importing && !exporting) {
        err << usage << Qt::endl;
        return 2;
    }
    // The files are the truth: a window of a running program may have saved since the start.
    state.departments = StaffFiles::loadDepartments(StaffFiles::departmentFile(state.paths));
    state.employees = StaffFiles::loadEmployees(StaffFiles::employeeFile(state.paths));
    return importing ? importFile(state, args[1], out, err) : exportFile(state, args.value(1), out, err);
}
