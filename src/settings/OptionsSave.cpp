#include "settings/OptionsSave.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramExit.h"
#include "settings/ProgramState.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/PathFile.h"
#include "store/SchedulingLink.h"
#include "store/StaffFiles.h"

#include <QStringList>

namespace {
const QString newDatabaseTitle = QStringLiteral("New database file");

QString lines(const QStringList& parts)
{
    return parts.join(QLatin1Char('\n'));
}

PathFile::State pathState(const ProgramState& state)
{
    return {state.paths.dataFolder(), state.useSchedulingLink, state.useLocalStaff};
}

void takePathState(ProgramState& state, const PathFile::State& path)
{
    state.useSchedulingLink = path.useSchedulingLink;
    state.useLocalStaff = path.useLocalStaff;
}
} // namespace

EmployeeSource OptionsForm::sourceOf(bool useSchedulingLink, bool useLocalStaff)
{
    if (!useSchedulingLink)
        return EmployeeSource::None;
    return useLocalStaff ? EmployeeSource::LocalStaff : EmployeeSource::SchedulingLink;
}

SourceChoice::SourceChoice(EmployeeSource atOpen)
    : m_atOpen(atOpen)
    , m_selected(atOpen)
{}

EmployeeSource SourceChoice::choose(EmployeeSource wanted, ProgramState& state, QWidget* parent,
                                    const std::function<QString()>& chooseFile)
{
    QString chosenFile;
    std::optional<QString> chosenFolder;
    if (wanted == EmployeeSource::SchedulingLink && wanted != m_atOpen) {
        chosenFile = chooseFile ? chooseFile() : QString();
        chosenFolder = SchedulingLink::acceptChosenFile(chosenFile, state.messages, parent);
        if (!chosenFolder)
            return m_selected;
    }
    m_selected = wanted;
    m_folder.clear();
    m_chosenFile.clear();
    // Coming back to the source the dialog opened with leaves the path file as it is.
    m_pathChanged = false;
    m_deletePath = false;
    if (wanted == m_atOpen)
        return m_selected;
    switch (wanted) {
    case EmployeeSource::None:
        m_deletePath = true;
        break;
    case EmployeeSource::LocalStaff:
        m_folder = state.paths.programFolder();
        state.departments = StaffFiles::loadDepartments(StaffFiles::departmentFile(state.paths));
        state.employees = StaffFiles::loadEmployees(StaffFiles::employeeFile(state.paths));
        m_pathChanged = true;
        break;
    case EmployeeSource::SchedulingLink:
        m_folder = *chosenFolder;
        m_chosenFile = chosenFile;
        m_pathChanged = true;
        break;
    }
    return m_selected;
}

OptionsSave::Outcome OptionsSave::run(ProgramState& state, const SettingsChange& change,
                                      const SourceChoice& source, ProgramExit& exit, QWidget* parent)
{
    if (const auto refused = SettingsTable::refusal(change, state.settings)) {
        state.messages.inform(parent, refused->text, refused->title, refused->icon);
        return Outcome::Refused;
    }
    const bool showKeyboardAtOpen = state.settings.showKeyboard;

    // The row first, in one transaction: when it fails nothing at all has changed.
    const SettingsIo::Saved saved = SettingsIo::save(change, state.settings);
    try {
        ApplicationTable(state.database).write(saved.fields);
    } catch (const DatabaseError& error) {
        state.messages.inform(parent, lines({error.userMessage(), QStringLiteral("No setting was saved.")}),
                              QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return Outcome::Refused;
    }
    state.settings = saved.held;
    if (change.stationDatabaseUrl)
        StationSettings(state.paths.programFolder()).setDatabaseUrl(*change.stationDatabaseUrl);

    PathFile::State path = pathState(state);
    if (source.selected() == EmployeeSource::None) {
        state.departments = DepartmentList{};
        PathFile::remove(state.paths, path);
    }
    if (source.pathChanged()) {
        PathFile::State chosen = path;
        chosen.useSchedulingLink = chosen.useLocalStaff = false;
        if (!PathFile::writeNewPath(state.paths, source.folder(), source.chosenFile(), chosen)) {
            state.messages.inform(
                parent,
                lines({QStringLiteral("The settings were saved, but the new employee source was not: %1 "
                                      "could not be written in %2.")
                           .arg(PathFile::fileName(), state.paths.programFolder()),
                       QStringLiteral("The program keeps the employee source it had.")}),
                newDatabaseTitle, MessageBoxes::Icon::Critical);
            return Outcome::Saved;
        }
        path = chosen;
    }
    takePathState(state, path);

    const QString notUsingRostermill = lines(
        {QStringLiteral("You selected not to use the \"Rostermill\" database file RTM.MDB"), restartLine});
    if (source.deletePath()) {
        PathFile::remove(state.paths, path);
        takePathState(state, path);
        state.messages.beep();
        state.messages.inform(parent, notUsingRostermill, newDatabaseTitle, MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    if (source.pathChanged()) {
        state.messages.beep();
        const QString text = source.selected() == EmployeeSource::LocalStaff
                                 ? notUsingRostermill
                                 : lines({QStringLiteral("You selected a new path and use"),
                                          QStringLiteral("the \"Rostermill\" database"),
                                          QStringLiteral("file RTM.MDB"), restartLine});
        state.messages.inform(parent, text, newDatabaseTitle, MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    if (state.settings.showKeyboard != showKeyboardAtOpen) {
        state.messages.inform(
            parent,
            lines({QStringLiteral("You selected to change the Keyboard status on the Clock screen."),
                   restartLine}),
            QStringLiteral("Keyboard change..."), MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    return Outcome::Saved;
}
