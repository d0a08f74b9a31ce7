#include "staff/ui/StaffTransfer.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/StaffCsv.h"
#include "staff/StaffSaving.h"
#include "staff/ui/ImportPreviewDialog.h"
#include "store/OwnFiles.h"

#include <QFile>
#include <QFileDialog>

namespace {
const QString importTitle = QStringLiteral("Import employees");
const QString exportTitle = QStringLiteral("Export employees");
const QString csvFilter = QStringLiteral("CSV files (*.csv);;All files (*)");
constexpr int shownProblems = 15;

// A command or another copy of the program may have changed the staff files since they were read.
void reload(Session& session)
{
    session.reloadStaffFiles();
}

QString counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}
} // namespace

void StaffTransfer::importEmployees(QWidget* parent, const Services& services, Session& session)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, importTitle, ProgramPaths::documentsFolder(), csvFilter);
    if (!path.isEmpty())
        importFile(parent, services, session, path);
}

void StaffTransfer::exportEmployees(QWidget* parent, const Services& services, Session& session)
{
    const QString path = QFileDialog::getSaveFileName(
        parent, exportTitle, ProgramPaths::documentsFolder() + QStringLiteral("/Employees.csv"), csvFilter);
    if (!path.isEmpty())
        exportFile(parent, services, session, path);
}

bool StaffTransfer::importFile(QWidget* parent, const Services& services, Session& session,
                               const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        services.messages.inform(parent, QStringLiteral("Cannot read %1:\n%2").arg(path, file.errorString()),
                                 importTitle, MessageBoxes::Icon::Warning);
        return false;
    }
    reload(session);
    const StaffCsv::Plan plan = StaffCsv::plan(file, session.employees(), session.departments());
    if (!plan.errors.isEmpty()) {
        QStringList lines = plan.errors.mid(0, shownProblems);
        if (plan.errorCount > lines.size())
            lines.append(QStringLiteral("... and %1 more").arg(plan.errorCount - lines.size()));
        services.messages.beep();
        services.messages.inform(parent,
                                 QStringLiteral("Nothing was imported. Please correct the file:\n\n") +
                                     lines.join(QLatin1Char('\n')),
                                 importTitle, MessageBoxes::Icon::Warning);
        return false;
    }
    // Nothing is written before the manager has seen what changes.
    ImportPreviewDialog preview(plan, parent);
    if (preview.exec() != QDialog::Accepted)
        return false;
    if (plan.employeesChanged || plan.departmentsChanged) {
        const StaffSaving::Outcome outcome = StaffSaving::save(
            services, session, plan.employeesChanged ? std::optional(plan.employees) : std::nullopt,
            plan.departmentsChanged ? std::optional(plan.departments) : std::nullopt);
        if (outcome.status == StaffSaving::Status::FilesNotWritten) {
            services.messages.inform(parent, outcome.message, importTitle, MessageBoxes::Icon::Critical);
            return false;
        }
        if (outcome.status == StaffSaving::Status::TableNotRebuilt)
            services.messages.inform(parent, outcome.message, QStringLiteral("Database"),
                                     MessageBoxes::Icon::Critical);
    }
    services.messages.inform(parent,
                             QStringLiteral("%1 added, %2 changed, %3 unchanged.\n%4 added.")
                                 .arg(counted(plan.added, "employee", "employees"))
                                 .arg(plan.updated)
                                 .arg(plan.unchanged)
                                 .arg(counted(plan.departmentsAdded, "department", "departments")),
                             importTitle, MessageBoxes::Icon::Information);
    return true;
}

bool StaffTransfer::exportFile(QWidget* parent, const Services& services, Session& session,
                               const QString& path)
{
    reload(session);
    const QByteArray bytes = StaffCsv::exportBytes(session.employees(), session.departments());
    QString problem = OwnFiles::refusal(session.paths(), path);
    if (problem.isEmpty())
        OwnFiles::writeOutput(path, bytes, &problem);
    if (!problem.isEmpty()) {
        services.messages.inform(parent, problem, exportTitle, MessageBoxes::Icon::Warning);
        return false;
    }
    services.messages.inform(
        parent,
        QStringLiteral("%1 written to\n%2")
            .arg(counted(static_cast<int>(session.employees().count()), "employee", "employees"), path),
        exportTitle, MessageBoxes::Icon::Information);
    return true;
}
