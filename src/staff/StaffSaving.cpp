#include "staff/StaffSaving.h"

#include "platform/ProgramPaths.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DurableFiles.h"
#include "store/StaffRebuild.h"

#include <QFile>
#include <QFileInfo>

namespace {
struct Pending {
    QString target;
    QString temporary;
    QByteArray bytes;
    bool existed = false;
    QByteArray oldBytes;
    bool replaced = false;
};

Pending pending(const QString& target, const QByteArray& bytes)
{
    Pending p;
    p.target = target;
    p.temporary = target + QStringLiteral(".new");
    p.bytes = bytes;
    return p;
}

bool writeTemporary(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && DurableFiles::syncFile(path);
}

// Puts a file back the way it was before this save touched it.
void restore(const Pending& p)
{
    if (!p.existed) {
        DurableFiles::removeIfPresent(p.target);
        return;
    }
    const QString back = p.target + QStringLiteral(".old");
    if (writeTemporary(back, p.oldBytes))
        DurableFiles::replace(back, p.target);
    DurableFiles::removeIfPresent(back);
}
} // namespace

bool StaffSaving::writeFiles(const ProgramPaths& paths, const std::optional<QList<Employee>>& employees,
                             const std::optional<QList<Department>>& departments, const Replace& replace)
{
    const Replace rename = replace ? replace : Replace(&DurableFiles::replace);
    QList<Pending> files;
    if (departments)
        files.append(pending(StaffFiles::departmentFile(paths), StaffFiles::departmentBytes(*departments)));
    if (employees)
        files.append(pending(StaffFiles::employeeFile(paths), StaffFiles::employeeBytes(*employees)));

    bool ok = true;
    for (Pending& p : files) {
        QFile old(p.target);
        p.existed = old.exists();
        if (p.existed) {
            if (!old.open(QIODevice::ReadOnly)) {
                ok = false;
                break;
            }
            p.oldBytes = old.readAll();
        }
        if (!writeTemporary(p.temporary, p.bytes)) {
            ok = false;
            break;
        }
    }
    for (qsizetype i = 0; ok && i < files.size(); ++i) {
        files[i].replaced = rename(files[i].temporary, files[i].target);
        ok = files[i].replaced;
    }
    if (!ok) {
        for (const Pending& p : std::as_const(files)) {
            if (p.replaced)
                restore(p);
        }
    }
    for (const Pending& p : std::as_const(files))
        DurableFiles::removeIfPresent(p.temporary);
    return ok;
}

StaffSaving::Outcome StaffSaving::save(const Services& services, Session& session,
                                       const std::optional<QList<Employee>>& employees,
                                       const std::optional<QList<Department>>& departments,
                                       const Replace& replace)
{
    if (!writeFiles(session.paths(), employees, departments, replace)) {
        return {Status::FilesNotWritten,
                QStringLiteral("The staff files could not be written in %1.\nNothing was changed.")
                    .arg(QFileInfo(StaffFiles::employeeFile(session.paths())).absolutePath())};
    }
    session.reloadStaffFiles();
    if (!(session.hasEmployeeDatabase() && session.usesLocalStaff()))
        return {};
    if (const auto problem = rebuildTodaysStaff(services, session))
        return {Status::TableNotRebuilt, *problem};
    return {};
}

std::optional<QString> StaffSaving::rebuildTodaysStaff(const Services& services, Session& session)
{
    try {
        StaffRebuild::Loaded loaded =
            StaffRebuild::rebuildStaffTable(services.database, session.paths(), services.time.today());
        session.setEmployees(std::move(loaded.employees));
        session.setDepartments(std::move(loaded.departments));
    } catch (const DatabaseError& error) {
        return error.userMessage();
    }
    return std::nullopt;
}
