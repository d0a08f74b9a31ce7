#include "shell/Welcome.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "shell/ScheduledStaff.h"
#include "staff/StaffSaving.h"
#include "store/ClockRecords.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseMaintenance.h"
#include "store/PathFile.h"
#include "store/StaffFiles.h"

#include <QFileInfo>

namespace {
const QString title = QStringLiteral("Welcome");

void inform(const Services& services, QWidget* parent, const QString& text)
{
    services.messages.inform(parent, text, title, MessageBoxes::Icon::Critical);
}
} // namespace

bool Welcome::due(const Services& services, Session& session)
{
    if (StationSettings(session.paths().programFolder()).welcomeDismissed())
        return false;
    try {
        return ClockRecords(services.database).isEmpty();
    } catch (const DatabaseError&) {
        return false;
    }
}

void Welcome::dismiss(const Session& session)
{
    StationSettings(session.paths().programFolder()).setWelcomeDismissed();
}

bool Welcome::useSource(const Services& services, Session& session, EmployeeSource source,
                        const QString& rtmFile, QWidget* parent)
{
    PathFile::State path{session.paths().dataFolder(), session.employeeSource()};
    if (source == EmployeeSource::None) {
        PathFile::remove(session.paths(), path);
        session.setEmployeeSource(EmployeeSource::None);
        session.setStaff(EmployeeList{}, DepartmentList{});
        return true;
    }
    const bool local = source == EmployeeSource::LocalFiles;
    const QString folder =
        local ? session.paths().programFolder() : QFileInfo(rtmFile).absolutePath() + QLatin1Char('/');
    PathFile::State chosen;
    if (!PathFile::writeNewPath(session.paths(), folder, local ? QString() : rtmFile.toUpper(), chosen)) {
        inform(services, parent,
               QStringLiteral("%1 could not be written in %2.")
                   .arg(PathFile::fileName(), session.paths().programFolder()));
        return false;
    }
    const QString dataFolder = PathFile::clockDataFolder(session.paths(), chosen);
    // A clock database without a record can move to the scheduling database's folder at once.
    if (!services.database.isServer() && QFileInfo(dataFolder) != QFileInfo(session.paths().dataFolder())) {
        services.database.close();
        session.setDataFolder(dataFolder);
        if (DatabaseMaintenance::openClockDatabase(services.database, session.paths()).status !=
            Database::OpenStatus::Opened) {
            inform(services, parent,
                   QStringLiteral("The clock database could not be opened in %1.").arg(dataFolder));
            return false;
        }
    }
    session.setDataFolder(dataFolder);
    session.setEmployeeSource(chosen.source);
    if (!local)
        return ScheduledStaff::load(services, session, parent);
    if (const auto problem = StaffSaving::rebuildTodaysStaff(services, session))
        inform(services, parent, *problem);
    return true;
}
