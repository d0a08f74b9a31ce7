#include "staff/EmployeesCommand.h"

#include "platform/CommandOptions.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/BadgeCommand.h"
#include "staff/ImportSummary.h"
#include "staff/PayRateCommand.h"
#include "staff/PinCommand.h"
#include "staff/PayrollDetailsCommand.h"
#include "staff/StaffCsv.h"
#include "staff/StaffSaving.h"
#include "store/OwnFiles.h"

#include <QFile>
#include <optional>

namespace {
constexpr int notWritten = 6;
constexpr int fileRefused = 7;
const QString usage = QStringLiteral("usage: tellarin employees import FILE.csv [--dry-run] "
                                     "[--create-departments] | tellarin employees export [FILE.csv] | "
                                     "tellarin employees rate --id ID ... | tellarin employees badge ... | "
                                     "tellarin employees pin --id ID ... | tellarin employees payroll --id ID ...");

struct ImportChoices {
    QString path;
    bool dryRun = false;
    bool createDepartments = false;
};

int importFile(const Services& services, Session& session, const ImportChoices& choices, QTextStream& out,
               QTextStream& err)
{
    const QString& path = choices.path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "tellarin: cannot read " << CommandOptions::shown(path) << ": " << file.errorString()
            << Qt::endl;
        return 2;
    }
    const StaffCsv::Plan plan = StaffCsv::plan(file, session.employees(), session.departments());
    if (!plan.errors.isEmpty()) {
        err << "tellarin: " << CommandOptions::shown(path) << ": nothing imported, " << plan.errorCount
            << (plan.errorCount == 1 ? " problem" : " problems") << Qt::endl;
        for (const QString& e : plan.errors)
            err << e << Qt::endl;
        if (plan.errorCount > plan.errors.size())
            err << "... and " << plan.errorCount - plan.errors.size() << " more" << Qt::endl;
        return fileRefused;
    }
    if (choices.dryRun) {
        for (const QString& line : ImportSummary::tabLines(plan))
            out << line << '\n';
        out.flush();
        return 0;
    }
    // A misspelt department would otherwise become a new one without anybody noticing.
    if (const QStringList unknown = ImportSummary::newDepartments(plan);
        !unknown.isEmpty() && !choices.createDepartments) {
        err << "tellarin: " << path << ": nothing imported, unknown "
            << (unknown.size() == 1 ? "department: " : "departments: ") << unknown.join(QStringLiteral(", "))
            << " (--create-departments adds them)" << Qt::endl;
        return fileRefused;
    }
    if (plan.employeesChanged || plan.departmentsChanged) {
        const StaffSaving::Outcome outcome = StaffSaving::save(
            services, session, plan.employeesChanged ? std::optional(plan.employees) : std::nullopt,
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

int exportFile(const Session& session, const QString& path, QTextStream& out, QTextStream& err)
{
    const QByteArray bytes = StaffCsv::exportBytes(session.employees(), session.departments());
    if (path.isEmpty()) {
        out << QString::fromUtf8(bytes);
        out.flush();
    } else {
        if (const QString refusal = OwnFiles::refusal(session.paths(), path); !refusal.isEmpty()) {
            err << "tellarin: " << refusal << Qt::endl;
            return notWritten;
        }
        QString error;
        if (!OwnFiles::writeOutput(path, bytes, &error)) {
            err << "tellarin: " << error << Qt::endl;
            return notWritten;
        }
    }
    return session.employees().entries.isEmpty() ? 1 : 0;
}
} // namespace

int runEmployeesCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                        QTextStream& err)
{
    if (args.value(0) == QLatin1String("payroll")) {
        // The files are the truth: a window of a running program may have saved since the start.
        session.reloadStaffFiles();
        return runPayrollDetailsCommand(services, session, args.mid(1), out, err);
    }
    const CommandOptions options = CommandOptions::parse(
        QStringLiteral("employees"), args,
        {QStringLiteral("--id"), QStringLiteral("--from"), QStringLiteral("--rate"),
         QStringLiteral("--badge")},
        {QStringLiteral("--dry-run"), QStringLiteral("--create-departments"), QStringLiteral("--list"),
         QStringLiteral("--remove"), QStringLiteral("--clear"), QStringLiteral("--unlock"),
         QStringLiteral("--show")},
        2);
    if (!options.ok()) {
        err << options.problem() << Qt::endl;
        return 2;
    }
    const QStringList words = options.words();
    const QString action = words.value(0);
    if (action == QLatin1String("rate")) {
        session.setEmployees(StaffFiles::loadEmployees(StaffFiles::employeeFile(session.paths())));
        return runPayRateCommand(services, session, options, out, err);
    }
    if (action == QLatin1String("badge")) {
        session.setEmployees(StaffFiles::loadEmployees(StaffFiles::employeeFile(session.paths())));
        return runBadgeCommand(services, session, options, out, err);
    }
    if (action == QLatin1String("pin")) {
        session.setEmployees(StaffFiles::loadEmployees(StaffFiles::employeeFile(session.paths())));
        return runPinCommand(services, session, options, out, err);
    }
    const bool rateOptions =
        options.has(QStringLiteral("--id")) || options.has(QStringLiteral("--from")) ||
        options.has(QStringLiteral("--rate")) || options.has(QStringLiteral("--badge")) ||
        options.flag(QStringLiteral("--list")) || options.flag(QStringLiteral("--remove")) ||
        options.flag(QStringLiteral("--clear")) || options.flag(QStringLiteral("--unlock")) ||
        options.flag(QStringLiteral("--show"));
    std::optional<ImportChoices> choices;
    if (action == QLatin1String("import") && words.size() == 2)
        choices = ImportChoices{words[1], options.flag(QStringLiteral("--dry-run")),
                                options.flag(QStringLiteral("--create-departments"))};
    const bool exporting = action == QLatin1String("export") && words.size() <= 2 &&
                           !options.flag(QStringLiteral("--dry-run")) &&
                           !options.flag(QStringLiteral("--create-departments"));
    if ((!choices && !exporting) || rateOptions) {
        err << usage << Qt::endl;
        return 2;
    }
    // The files are the truth: a window of a running program may have saved since the start.
    session.reloadStaffFiles();
    return choices ? importFile(services, session, *choices, out, err)
                   : exportFile(session, words.value(1), out, err);
}
