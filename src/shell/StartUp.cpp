#include "shell/StartUp.h"

#include "clock/StationLink.h"
#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/DateOrder.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/SettingsIo.h"
#include "shell/ScheduledStaff.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"
#include "store/DatabaseMaintenance.h"
#include "store/PathFile.h"
#include "store/PunchQueue.h"
#include "store/SchedulingLink.h"
#include "store/StaffFiles.h"
#include "store/StaffRebuild.h"
#include "store/StaffTable.h"

#include <QDir>
#include <QLocale>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace {
QString problemLine(const Database::OpenResult& result)
{
    return QStringLiteral("Database problem.. Error number is: %1.").arg(result.errorNumber);
}
} // namespace

MenuOffer MenuOffer::of(EmployeeSource source, const QString& fileFormatVersion, bool server)
{
    MenuOffer offer;
    offer.employees = source != EmployeeSource::None;
    offer.departments = source == EmployeeSource::LocalFiles;
    offer.employeeEntries = source == EmployeeSource::LocalFiles;
    offer.migrate = !server && source != EmployeeSource::None && fileFormatVersion != QLatin1String("4.0");
    offer.compact = !server;
    return offer;
}

StartUp::StartUp(const Services& services, Session& session)
    : m_services(services)
    , m_session(session)
{
    openDatabase = [this] {
        if (m_session.location().isServer())
            return m_services.database.openServer(m_session.location());
        if (!m_pathProblem.isEmpty())
            return Database::OpenResult{Database::OpenStatus::NotFound, QStringLiteral("76"), m_pathProblem};
        if (commandLine)
            return DatabaseMaintenance::openExistingClockDatabase(m_services.database, m_session.paths(),
                                                                  readOnly);
        return DatabaseMaintenance::openClockDatabase(m_services.database, m_session.paths());
    };
    repairDatabase = [this](QString* error) {
        return DatabaseMaintenance::repair(m_services.database, m_session.paths(), error);
    };
    readPathFile = [this] {
        PathFile::Trouble trouble;
        PathFile::State source = PathFile::read(m_session.paths(), &trouble);
        m_pathProblem = trouble.problem;
        if (commandLine && trouble.unreadable)
            m_pathProblem = QStringLiteral("%1 cannot be read; the data folder it names is unknown")
                                .arg(m_session.paths().findInProgramFolder(PathFile::fileName()));
        // The windows start without an employee database instead of failing the same way each time.
        if (!commandLine && source.source == EmployeeSource::None)
            PathFile::remove(m_session.paths(), source);
        m_session.setDataFolder(PathFile::clockDataFolder(m_session.paths(), source));
        m_session.setEmployeeSource(source.source);
    };
    loadDepartments = [this] {
        m_session.setDepartments(StaffFiles::loadDepartments(StaffFiles::departmentFile(m_session.paths())));
    };
    rebuildStaff = [this] {
        if (commandLine) {
            loadStaffLists();
            return;
        }
        if (!m_session.usesLocalStaff()) {
            m_endProgram = !ScheduledStaff::load(m_services, m_session);
            return;
        }
        try {
            StaffRebuild::Loaded loaded = StaffRebuild::rebuildStaffTable(
                m_services.database, m_session.paths(), m_services.time.today());
            m_session.setEmployees(std::move(loaded.employees));
            m_session.setDepartments(std::move(loaded.departments));
        } catch (const DatabaseError& error) {
            m_services.messages.inform(nullptr, error.userMessage(), QStringLiteral("Database"),
                                       MessageBoxes::Icon::Critical);
        }
    };
}

StartUp::~StartUp()
{
    m_link.reset();
    m_services.database.setDamageHandler(nullptr);
    m_services.database.setClosingHandler(nullptr);
    m_fullCheck.stop();
}

bool StartUp::run()
{
    if (requireSingleInstance && !claimSingleInstance())
        return false;
    if (!locateDatabase()) {
        m_locationRefused = true;
        return false;
    }

    m_session.setDateOrder(DateOrder::detect(QLocale::system()));

    m_session.setEmployeeSource(EmployeeSource::None);
    m_session.setDataFolder(m_session.paths().programFolder());
    readPathFile();
    if (m_session.usesLocalStaff())
        loadDepartments();

    for (;;) {
        if (!openClockDatabase())
            return false;
        if (m_startedOffline) {
            m_offer = MenuOffer::of(m_session.employeeSource(), QString(), true);
            return true;
        }
        const bool server = m_services.database.isServer();
        m_offer = MenuOffer::of(
            m_session.employeeSource(),
            server ? QString() : DatabaseMaintenance::fileFormatVersion(m_services.database), server);

        // A server is brought to the current layout as a station connects.
        if (!server) {
            if (const std::optional<QString> problem = DatabaseMaintenance::upgrade(m_services.database)) {
                m_services.messages.inform(nullptr, *problem, QStringLiteral("Database"),
                                           MessageBoxes::Icon::Critical);
                return false;
            }
        }

        try {
            m_session.setSettings(SettingsIo::read(m_services.database));
            break;
        } catch (const DatabaseError& error) {
            // The open reads only the ends of each table; the settings row may lie on a damaged page.
            if (error.isDamage() && !commandLine && repairAfterAsking(error.number(), error.text()))
                continue;
            if (!error.isDamage() || commandLine)
                m_services.messages.inform(nullptr, error.userMessage(), QStringLiteral("Database"),
                                           MessageBoxes::Icon::Critical);
            return false;
        }
    }

    watchDatabase();
    if (m_session.hasEmployeeDatabase())
        rebuildStaff();
    if (!m_endProgram)
        linkStation();
    return !m_endProgram;
}

void StartUp::watchDatabase()
{
    m_services.database.setDamageHandler(
        [this](const DatabaseError& error) { noticeDamage(error.number(), error.text()); });
    // Compact, migrate and repair need the file to themselves.
    m_services.database.setClosingHandler([this] { m_fullCheck.stop(); });
    QTimer::singleShot(fullCheckDelay, &m_context, [this] {
        if (!m_services.database.isOpen() || m_services.database.isServer())
            return;
        m_fullCheck.start(
            m_services.database.path(), &m_context,
            [this](const IntegrityCheck::Damage& damage) { noticeDamage(damage.number, damage.text); });
    });
}

void StartUp::noticeDamage(const QString& number, const QString& text)
{
    // One question for however many reads meet the damage until it is answered, and a No holds
    // until the next start.
    if (m_repairPending || m_repairDeclined)
        return;
    m_repairPending = true;
    // Queued: the statement that met the damage is still unwinding, and the repair closes the
    // database under it.
    QMetaObject::invokeMethod(
        &m_context,
        [this, number, text] {
            m_fullCheck.stop();
            if (!repairAfterAsking(number, text))
                m_repairDeclined = true;
            m_repairPending = false;
        },
        Qt::QueuedConnection);
}

bool StartUp::repairAfterAsking(const QString& number, const QString& text)
{
    const QString nl = QStringLiteral("\n");
    const QString question = QStringLiteral("Database problem.. Error number is: %1.").arg(number) + nl +
                             text + nl + QStringLiteral("Repair the database?");
    if (m_services.messages.askYesNo(nullptr, question, QStringLiteral("Database"),
                                     MessageBoxes::Icon::Critical) != MessageBoxes::Answer::Yes)
        return false;
    QString error;
    if (!repairDatabase(&error)) {
        // A repair that cannot even run would only bring the same question back.
        m_services.messages.inform(nullptr, error, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return false;
    }
    return true;
}

void StartUp::loadStaffLists()
{
    if (m_session.usesLocalStaff()) {
        m_session.reloadStaffFiles();
        return;
    }
    try {
        m_session.setDepartments(
            SchedulingLink::readFile(SchedulingLink::fileIn(m_session.paths()), m_services.time.today())
                .departments);
    } catch (const SchedulingError&) {
        // The department names only label the report; the records are the clock database's.
    }
}

bool StartUp::claimSingleInstance()
{
    QDir().mkpath(m_session.paths().programFolder());
    m_instanceLock =
        std::make_unique<QLockFile>(m_session.paths().inProgramFolder(QStringLiteral("Tellarin.lock")));
    // Only a lock whose owner has died is taken over, however long the running copy has held it.
    m_instanceLock->setStaleLockTime(0);
    if (m_instanceLock->tryLock(0))
        return true;
    m_instanceLock.reset();
    m_services.messages.inform(nullptr, QStringLiteral("Tellarin already running"),
                               QStringLiteral("Tellarin"), MessageBoxes::Icon::None);
    return false;
}

bool StartUp::startOffline()
{
    if (!clockStation)
        return false;
    try {
        std::unique_ptr<StationLink> link = makeStationLink();
        const std::optional<PunchQueue::Settings> settings = link->cachedSettings();
        if (!settings)
            return false;
        m_session.setSettings(SettingsIo::load(settings->row, settings->program));
        link->startOffline();
        m_link = std::move(link);
        QObject::connect(m_link.get(), &StationLink::offlineChanged, &m_context, [this](bool offline) {
            if (!offline && m_catchUpPending)
                catchUpWithServer();
        });
    } catch (const DatabaseError&) {
        return false; // no queue to start from: the server's own error is the one to show
    }
    m_startedOffline = true;
    m_catchUpPending = true;
    return true;
}

std::unique_ptr<StationLink> StartUp::makeStationLink()
{
    const QString folder = m_session.paths().programFolder();
    return std::make_unique<StationLink>(m_services.database, folder, StationSettings(folder).stationName(),
                                         m_services.time);
}

void StartUp::catchUpWithServer()
{
    try {
        m_session.setSettings(SettingsIo::read(m_services.database));
    } catch (const DatabaseError&) {
        return; // gone again: the kept settings stay, and the next return tries once more
    }
    m_catchUpPending = false;
    if (m_session.hasEmployeeDatabase())
        rebuildStaff();
}

void StartUp::linkStation()
{
    if (!clockStation || !m_services.database.isServer())
        return;
    // Another program may hold the queue for a moment (a backup, a second look at it).
    constexpr int attempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            m_link = makeStationLink();
            break;
        } catch (const DatabaseError& error) {
            if (attempt < attempts) {
                QThread::msleep(500);
                continue;
            }
            // Without its queue the station still punches while the server answers.
            const QString nl = QStringLiteral("\n");
            m_services.messages.inform(
                nullptr,
                QStringLiteral("The punch queue %1 cannot be opened.")
                        .arg(QDir::toNativeSeparators(
                            QDir(m_session.paths().programFolder()).filePath(PunchQueue::fileName()))) +
                    nl + error.userMessage() + nl +
                    QStringLiteral("This station stores punches only while the clock database answers; "
                                   "they cannot wait here while it is away."),
                QStringLiteral("Punch queue"), MessageBoxes::Icon::Critical);
            return;
        }
    }
    // A queue the server refuses stays queued: the link shows it offline and tries again.
    m_link->startOnline();
}

bool StartUp::openClockDatabase()
{
    const QString nl = QStringLiteral("\n");
    for (;;) {
        const Database::OpenResult result = openDatabase();
        if (m_session.location().isServer() && result.status == Database::OpenStatus::NotFound &&
            startOffline())
            return true;
        if (m_session.location().isServer() && !result.ok()) {
            // Whole-file repair is for the embedded file; a server's faults are its administrator's.
            m_services.messages.inform(nullptr,
                                       QStringLiteral("Cannot use the clock database at %1.")
                                               .arg(m_session.location().displayUrl()) +
                                           nl + problemLine(result) + QStringLiteral("  ") + result.errorText,
                                       QStringLiteral("Clock database"), MessageBoxes::Icon::Critical);
            return false;
        }
        switch (result.status) {
        case Database::OpenStatus::Opened:
            return true;
        case Database::OpenStatus::InUse:
            m_services.messages.beep();
            m_services.messages.inform(nullptr,
                                       QStringLiteral("Database Clock.mdb is in use!") + nl + nl +
                                           QStringLiteral("Try later."),
                                       QStringLiteral("Clock database"), MessageBoxes::Icon::Critical);
            return false;
        case Database::OpenStatus::ReadOnly:
            m_services.messages.inform(nullptr, problemLine(result) + QStringLiteral("  ") + result.errorText,
                                       QStringLiteral("Database"), MessageBoxes::Icon::Critical);
            return false;
        case Database::OpenStatus::NotFound: {
            if (commandLine) {
                // The path file stays: a share that is not mounted now may be mounted at the next run.
                m_services.messages.inform(nullptr, result.errorText, QStringLiteral("Database"),
                                           MessageBoxes::Icon::Critical);
                return false;
            }
            const QString message = QStringLiteral("Cannot find the Rostermill (RTM.MDB) database.") + nl +
                                    problemLine(result) + QStringLiteral("  ") + result.errorText + nl +
                                    QStringLiteral("Make sure that database file RTM.MDB is available");
            m_services.messages.inform(nullptr, message, QStringLiteral("Database"),
                                       MessageBoxes::Icon::Critical);
            // The next start runs without the employee database instead of failing the same way.
            PathFile::State source{m_session.paths().dataFolder(), m_session.employeeSource()};
            PathFile::remove(m_session.paths(), source);
            m_session.setEmployeeSource(EmployeeSource::None);
            return false;
        }
        case Database::OpenStatus::Damaged:
            if (commandLine) {
                m_services.messages.inform(nullptr,
                                           problemLine(result) + QStringLiteral("  ") + result.errorText +
                                               nl +
                                               QStringLiteral("Start the program to repair the database."),
                                           QStringLiteral("Database"), MessageBoxes::Icon::Critical);
                return false;
            }
            break;
        }
        if (!repairAfterAsking(result.errorNumber, result.errorText))
            return false;
    }
}
