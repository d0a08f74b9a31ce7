#include "shell/Welcome.h"

#include "platform/MessageBoxes.h"
#include "settings/ProgramState.h"
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

void inform(ProgramState& state, QWidget* parent, const QString& text)
{
    state.messages.inform(parent, text, title, MessageBoxes::Icon::Critical);
}
} // namespace

bool Welcome::due(ProgramState& state)
{
    if (StationSettings(state.paths.programFolder()).welcomeDismissed())
        return false;
    try {
        return ClockRecords(state.database).isEmpty();
    } catch (const DatabaseError&) {
        return false;
    }
}

void Welcome::dismiss(const ProgramState& state)
{
    StationSettings(state.paths.programFolder()).setWelcomeDismissed();
}

bool Welcome::useSource(ProgramState& state, EmployeeSource source, const QString& rtmFile, QWidget* parent)
{
    PathFile::State path{state.paths.dataFolder(), state.useSchedulingLink, state.useLocalStaff};
    if (source == EmployeeSource::None) {
        PathFile::remove(state.paths, path);
        state.useSchedulingLink = state.useLocalStaff = false;
        state.employees = EmployeeList{};
        state.departments = DepartmentList{};
        return true;
    }
    const bool local = source == EmployeeSource::LocalStaff;
    const QString folder =
        local ? state.paths.programFolder() : QFileInfo(rtmFile).absolutePath() + QLatin1Char('/');
    PathFile::State chosen;
    if (!PathFile::writeNewPath(state.paths, folder, local ? QString() : rtmFile.toUpper(), chosen)) {
        inform(state, parent,
               QStringLiteral("%1 could not be written in %2.")
                   .arg(PathFile::fileName(), state.paths.programFolder()));
        return false;
    }
    const QString dataFolder = PathFile::clockDataFolder(state.paths, chosen);
    // A clock database without a record can move to the scheduling database's folder at once.
    if (!state.database.isServer() && QFileInfo(dataFolder) != QFileInfo(state.paths.dataFolder())) {
        state.database.close();
        state.paths.setDataFolder(dataFolder);
        if (DatabaseMaintenance::openClockDatabase(state.database, state.paths).status !=
            Database::OpenStatus::Opened) {
            inform(state, parent,
                   QStringLiteral("The clock database could not be opened in %1.").arg(dataFolder));
            return false;
        }
    }
    state.paths.setDataFolder(dataFolder);
    state.useSchedulingLink = chosen.useSchedulingLink;
    state.useLocalStaff = chosen.useLocalStaff;
    if (!local)
        return ScheduledStaff::load(state, parent);
    if (const auto problem = StaffSaving::rebuildTodaysStaff(state))
        inform(state, parent, *problem);
    return true;
}
