#include "shell/StartUp.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/DateOrder.h"
#include "settings/ProgramState.h"
#include "settings/SettingsIo.h"
#include "shell/ScheduledStaff.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"
#include "store/DatabaseMaintenance.h"
#include "store/PathFile.h"
#include "store/StaffFiles.h"
#include "store/StaffRebuild.h"

#include <QDir>
#include <QLocale>

namespace {
constexpr int currentLayoutVersion = 6;

QString problemLine(const Database::OpenResult& result)
{
    return QStringLiteral("Database problem.. Error number is: %1.").arg(result.errorNumber);
}
} // namespace

MenuOffer MenuOffer::of(bool useSchedulingLink, bool useLocalStaff, const QString& fileFormatVersion)
{
    MenuOffer offer;
    offer.employees = useSchedulingLink;
    offer.departments = useSchedulingLink && useLocalStaff;
    offer.employeeEntries = useSchedulingLink && useLocalStaff;
    offer.migrate = useSchedulingLink && fileFormatVersion != QLatin1String("4.0");
    return offer;
}

StartUp::StartUp(ProgramState& state)
    : m_state(state)
{
    openDatabase = [this] {
        return DatabaseMaintenance::openClockDatabase(m_state.database, m_state.paths);
    };
    repairDatabase = [this](QString* error) {
        return DatabaseMaintenance::repair(m_state.database, m_state.paths, error);
    };
    readPathFile = [this] {
        const PathFile::State source = PathFile::read(m_state.paths);
        // The file may name the program folder in another letter case, as written on a system that
        // ignores case; here that spelling would be another folder.
        m_state.paths.setDataFolder(source.useLocalStaff ? m_state.paths.programFolder() : source.dataFolder);
        m_state.useSchedulingLink = source.useSchedulingLink;
        m_state.useLocalStaff = source.useLocalStaff;
    };
    loadDepartments = [this] {
        m_state.departments = StaffFiles::loadDepartments(StaffFiles::departmentFile(m_state.paths));
    };
    rebuildStaff = [this] {
        if (!m_state.useLocalStaff) {
            m_endProgram = !ScheduledStaff::load(m_state);
            return;
        }
        try {
            StaffRebuild::Loaded loaded =
                StaffRebuild::rebuildStaffTable(m_state.database, m_state.paths, m_state.time.today());
            m_state.employees = std::move(loaded.employees);
            m_state.departments = std::move(loaded.departments);
        } catch (const DatabaseError& error) {
            m_state.messages.inform(nullptr, error.userMessage(), QStringLiteral("Database"),
                                    MessageBoxes::Icon::Critical);
        }
    };
}

StartUp::~StartUp() = default;

bool StartUp::run()
{
    if (requireSingleInstance && !claimSingleInstance())
        return false;

    m_state.dateOrder = DateOrder::detect(QLocale::system());

    m_state.useSchedulingLink = false;
    m_state.useLocalStaff = false;
    m_state.paths.setDataFolder(m_state.paths.programFolder());
    readPathFile();
    if (m_state.useSchedulingLink && m_state.useLocalStaff)
        loadDepartments();

    if (!openClockDatabase())
        return false;
    m_offer = MenuOffer::of(m_state.useSchedulingLink, m_state.useLocalStaff,
                            DatabaseMaintenance::fileFormatVersion(m_state.database));

    if (DatabaseMaintenance::layoutVersion(m_state.database) != currentLayoutVersion)
        DatabaseMaintenance::CheckDBversion(m_state.database);

    try {
        m_state.settings = SettingsIo::load(ApplicationTable(m_state.database).read());
    } catch (const DatabaseError& error) {
        m_state.messages.inform(nullptr, error.userMessage(), QStringLiteral("Database"),
                                MessageBoxes::Icon::Critical);
        return false;
    }

    if (m_state.useSchedulingLink)
        rebuildStaff();
    return !m_endProgram;
}

bool StartUp::claimSingleInstance()
{
    QDir().mkpath(m_state.paths.programFolder());
    m_instanceLock =
        std::make_unique<QLockFile>(m_state.paths.inProgramFolder(QStringLiteral("Tellarin.lock")));
    // Only a lock whose owner has died is taken over, however long the running copy has held it.
    m_instanceLock->setStaleLockTime(0);
    if (m_instanceLock->tryLock(0))
        return true;
    m_instanceLock.reset();
    m_state.messages.inform(nullptr, QStringLiteral("Tellarin already running"), QStringLiteral("Tellarin"),
                            MessageBoxes::Icon::None);
    return false;
}

bool StartUp::openClockDatabase()
{
    const QString nl = QStringLiteral("\n");
    for (;;) {
        const Database::OpenResult result = openDatabase();
        switch (result.status) {
        case Database::OpenStatus::Opened:
            return true;
        case Database::OpenStatus::InUse:
            m_state.messages.beep();
            m_state.messages.inform(nullptr,
                                    QStringLiteral("Database Clock.mdb is in use!") + nl + nl +
                                        QStringLiteral("Try later."),
                                    QStringLiteral("Clock database"), MessageBoxes::Icon::Critical);
            return false;
        case Database::OpenStatus::ReadOnly:
            m_state.messages.inform(nullptr, problemLine(result) + QStringLiteral("  ") + result.errorText,
                                    QStringLiteral("Database"), MessageBoxes::Icon::Critical);
            return false;
        case Database::OpenStatus::NotFound: {
            const QString message = QStringLiteral("Cannot find the Rostermill (RTM.MDB) database.") + nl +
                                    problemLine(result) + QStringLiteral("  ") + result.errorText + nl +
                                    QStringLiteral("Make sure that database file RTM.MDB is available");
            m_state.messages.inform(nullptr, message, QStringLiteral("Database"),
                                    MessageBoxes::Icon::Critical);
            // The next start runs without the employee database instead of failing the same way.
            PathFile::State source{m_state.paths.dataFolder(), m_state.useSchedulingLink,
                                   m_state.useLocalStaff};
            PathFile::remove(m_state.paths, source);
            m_state.useSchedulingLink = m_state.useLocalStaff = false;
            return false;
        }
        case Database::OpenStatus::Damaged:
            break;
        }
        const QString question =
            problemLine(result) + nl + result.errorText + nl + QStringLiteral("Repair the database?");
        if (m_state.messages.askYesNo(nullptr, question, QStringLiteral("Database"),
                                      MessageBoxes::Icon::Critical) != MessageBoxes::Answer::Yes)
            return false;
        QString error;
        if (!repairDatabase(&error)) {
            // A repair that cannot even run would only bring the same question back.
            m_state.messages.inform(nullptr, error, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
            return false;
        }
    }
}
