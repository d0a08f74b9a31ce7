#include "settings/OptionsSave.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramExit.h"
#include "settings/ProgramState.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"
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

bool withinHours(double hours)
{
    return hours >= 0.5 && hours <= 23.0;
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

OptionsEntry OptionsForm::fromSettings(const SettingsRecord& s)
{
    OptionsEntry e;
    e.flags = s;
    const auto number = [](qint16 value) {
        return QString::number(value);
    };
    e.earlyLimit = number(s.earlyLimit);
    e.lateLimit = number(s.lateLimit);
    e.lateInLimit = number(s.lateInLimit);
    e.earlyOutLimit = number(s.earlyOutLimit);
    e.screenInOutDays = number(s.screenInOutDays);
    e.pictureDays = number(s.pictureDays);
    e.keepInSeconds = number(s.keepInSeconds);
    e.keepOutSeconds = number(s.keepOutSeconds);
    e.forceAfter = s.forceAfter == 0.0f ? QStringLiteral("12") : SettingsIo::numberText(s.forceAfter);
    e.minutesToDeduct = number(s.minutesToDeduct);
    e.minBeforeDedHours = SettingsIo::hoursText(s.minBeforeDed);
    e.earlyMessage = s.earlyMessage;
    e.lateMessage = s.lateMessage;
    e.lateInMessage = s.lateInMessage;
    e.earlyOutMessage = s.earlyOutMessage;
    e.notFound = s.notFound;
    e.tryAgain = s.tryAgain;
    e.enterId = s.enterId;
    e.tipsWord = s.tipsWord;
    e.clockingIn = s.clockingIn;
    e.clockingOut = s.clockingOut;
    e.rejected = s.rejected;
    e.goodMorning = s.goodMorning;
    e.goodNight = s.goodNight;
    return e;
}

std::optional<OptionsForm::Message> OptionsForm::refusal(const OptionsEntry& e)
{
    const auto hours = [](const QString& text) {
        return SettingsIo::typedNumber(text).value_or(0.0);
    };
    if (e.flags.forceClockOuts && !withinHours(hours(e.forceAfter)))
        return Message{QStringLiteral("Force after hours must be between .5 and 23"),
                       QStringLiteral("Force a clock out after...")};
    if (e.flags.autoDeduct) {
        const QString title = QStringLiteral("Automatically deduct break hours");
        const double typedHours = hours(e.minBeforeDedHours);
        if (!withinHours(typedHours))
            return Message{QStringLiteral("Hours must be between .5 and 23"), title};
        const double minutes = SettingsIo::typedNumber(e.minutesToDeduct).value_or(0.0);
        if (minutes < 1.0 || minutes > typedHours * 60.0)
            return Message{QStringLiteral("Auto deduct minutes must be less then hours"), title};
    }
    return std::nullopt;
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

OptionsSave::Outcome OptionsSave::run(ProgramState& state, const OptionsEntry& entry,
                                      const SourceChoice& source, bool showKeyboardAtOpen, ProgramExit& exit,
                                      QWidget* parent)
{
    if (const auto refused = OptionsForm::refusal(entry)) {
        state.messages.inform(parent, refused->text, refused->title, MessageBoxes::Icon::Information);
        return Outcome::Refused;
    }

    // The row first, in one transaction: when it fails nothing at all has changed.
    const SettingsIo::Saved saved = SettingsIo::save(entry, state.settings);
    try {
        ApplicationTable(state.database).write(saved.fields);
    } catch (const DatabaseError& error) {
        state.messages.inform(parent, lines({error.userMessage(), QStringLiteral("No setting was saved.")}),
                              QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return Outcome::Refused;
    }
    state.settings = saved.held;

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
