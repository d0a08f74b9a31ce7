#include "settings/OptionsSave.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramExit.h"
#include "settings/Services.h"
#include "settings/Session.h"
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

PathFile::State pathState(const Session& session)
{
    return {session.paths().dataFolder(), session.employeeSource()};
}
} // namespace

SourceChoice::SourceChoice(EmployeeSource atOpen)
    : m_atOpen(atOpen)
    , m_selected(atOpen)
{}

EmployeeSource SourceChoice::choose(EmployeeSource wanted, const Services& services, Session& session,
                                    QWidget* parent, const std::function<QString()>& chooseFile)
{
    QString chosenFile;
    std::optional<QString> chosenFolder;
    if (wanted == EmployeeSource::SchedulingDatabase && wanted != m_atOpen) {
        chosenFile = chooseFile ? chooseFile() : QString();
        chosenFolder = SchedulingLink::acceptChosenFile(chosenFile, services.messages, parent);
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
    case EmployeeSource::LocalFiles:
        m_folder = session.paths().programFolder();
        session.reloadStaffFiles();
        m_pathChanged = true;
        break;
    case EmployeeSource::SchedulingDatabase:
        m_folder = *chosenFolder;
        m_chosenFile = chosenFile;
        m_pathChanged = true;
        break;
    }
    return m_selected;
}

OptionsSave::Outcome OptionsSave::run(const Services& services, Session& session,
                                      const SettingsChange& change, const SourceChoice& source,
                                      ProgramExit& exit, QWidget* parent)
{
    if (const auto refused = SettingsTable::refusal(change, session.settings())) {
        services.messages.inform(parent, refused->text, refused->title, refused->icon);
        return Outcome::Refused;
    }
    const bool showKeyboardAtOpen = session.settings().showKeyboard;

    // The row and the program's own settings in one transaction: when it fails nothing has changed.
    const SettingsIo::Saved saved = SettingsIo::save(change, session.settings());
    try {
        ApplicationTable(services.database).write(saved.fields, saved.programValues);
    } catch (const DatabaseError& error) {
        services.messages.inform(parent,
                                 lines({error.userMessage(), QStringLiteral("No setting was saved.")}),
                                 QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return Outcome::Refused;
    }
    session.setSettings(saved.held);
    if (change.stationDatabaseUrl)
        StationSettings(session.paths().programFolder()).setDatabaseUrl(*change.stationDatabaseUrl);

    PathFile::State path = pathState(session);
    if (source.selected() == EmployeeSource::None) {
        session.setDepartments(DepartmentList{});
        PathFile::remove(session.paths(), path);
    }
    if (source.pathChanged()) {
        PathFile::State chosen = path;
        chosen.source = EmployeeSource::None;
        if (!PathFile::writeNewPath(session.paths(), source.folder(), source.chosenFile(), chosen)) {
            services.messages.inform(
                parent,
                lines({QStringLiteral("The settings were saved, but the new employee source was not: %1 "
                                      "could not be written in %2.")
                           .arg(PathFile::fileName(), session.paths().programFolder()),
                       QStringLiteral("The program keeps the employee source it had.")}),
                newDatabaseTitle, MessageBoxes::Icon::Critical);
            return Outcome::Saved;
        }
        path = chosen;
    }
    session.setEmployeeSource(path.source);

    const QString notUsingRostermill = lines(
        {QStringLiteral("You selected not to use the \"Rostermill\" database file RTM.MDB"), restartLine});
    if (source.deletePath()) {
        PathFile::remove(session.paths(), path);
        session.setEmployeeSource(path.source);
        services.messages.beep();
        services.messages.inform(parent, notUsingRostermill, newDatabaseTitle,
                                 MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    if (source.pathChanged()) {
        services.messages.beep();
        const QString text = source.selected() == EmployeeSource::LocalFiles
                                 ? notUsingRostermill
                                 : lines({QStringLiteral("You selected a new path and use"),
                                          QStringLiteral("the \"Rostermill\" database"),
                                          QStringLiteral("file RTM.MDB"), restartLine});
        services.messages.inform(parent, text, newDatabaseTitle, MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    if (session.settings().showKeyboard != showKeyboardAtOpen) {
        services.messages.inform(
            parent,
            lines({QStringLiteral("You selected to change the Keyboard status on the Clock screen."),
                   restartLine}),
            QStringLiteral("Keyboard change..."), MessageBoxes::Icon::Information);
        exit.endProgram();
        return Outcome::Ended;
    }
    return Outcome::Saved;
}
