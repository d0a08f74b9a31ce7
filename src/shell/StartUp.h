#pragma once

#include "store/Database.h"
#include "store/EmployeeSource.h"
#include "store/IntegrityCheck.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class StationLink;
struct Services;
class Session;

// Which employee menus and which database command the opening window offers.
struct MenuOffer {
    bool departments = false;
    bool employees = false;
    bool employeeEntries = false; // the three entries of the employees menu
    bool migrate = false;
    // Compacting rewrites the embedded file; a server keeps itself.
    bool compact = true;

    static MenuOffer of(EmployeeSource source, const QString& fileFormatVersion, bool server = false);
    bool operator==(const MenuOffer&) const = default;
};

// The start-up sequence, run once before the opening window takes input: one copy only,
// date order, employee source, clock database, layout upgrade, settings, today's staff.
class StartUp {
public:
    explicit StartUp(const Services& services, Session& session);
    ~StartUp();

    // Reads the path file: may move the data folder and set the employee-source flags.
    std::function<void()> readPathFile = [] {
    };
    // Loads the department list when the staff entered in this program is the source.
    std::function<void()> loadDepartments = [] {
    };
    // Refills the staff table with today's employees from the chosen source.
    std::function<void()> rebuildStaff = [] {
    };
    // Finds where the clock database is (arguments, environment, station file) and puts it into the
    // state; false, after telling the user, when it cannot. Runs after the one-copy check, so a second
    // copy is refused before anything else is read.
    std::function<bool()> locateDatabase = [] {
        return true;
    };
    // The clock database open and repair; tests replace them to meet every failure.
    std::function<Database::OpenResult()> openDatabase;
    std::function<bool(QString* error)> repairDatabase;

    // The windows claim the one-copy lock; a command line beside a running clock does not.
    bool requireSingleInstance = true;
    // A command line never creates a folder or a database, never removes the path file and never
    // asks about a repair: it says what is wrong and stops. The windows do all three. It loads the
    // staff lists and leaves today's staff table to the clock.
    bool commandLine = false;
    // A command that only reads opens the database read-only (a backup, a read-only share).
    bool readOnly = false;
    // The program runs as a clock station: with a server it keeps a queue of punches for the times
    // the server is away, and may even start without it. A command line never does.
    bool clockStation = false;
    // How long after a successful start the full check of the clock database begins, on a thread of
    // its own: the opening window and the first punches come first.
    std::chrono::milliseconds fullCheckDelay = std::chrono::seconds(15);

    // Whether the program may go on; every refusal has already been shown to the user. Afterwards,
    // for as long as this object lives, damage that a statement meets or the full check finds leads
    // to the repair question once the event loop runs.
    bool run();
    const MenuOffer& menuOffer() const { return m_offer; }
    // The station's hold on its server, after a run() as a clock station on a server; else null.
    StationLink* stationLink() const { return m_link.get(); }
    bool startedOffline() const { return m_startedOffline; }
    // The run ended because the database location could not be found.
    bool locationRefused() const { return m_locationRefused; }

private:
    bool claimSingleInstance();
    // The staff lists a command needs, without touching the staff table.
    void loadStaffLists();
    bool openClockDatabase();
    // With the server away and a settings row kept from an earlier start: the link, offline.
    bool startOffline();
    void linkStation();
    // The repair question and, on Yes, the repair; true when the database was repaired.
    bool repairAfterAsking(const QString& number, const QString& text);
    void watchDatabase();
    // Asks about the repair once the event loop runs.
    void noticeDamage(const QString& number, const QString& text);

    const Services& m_services;
    Session& m_session;
    QObject m_context;          // queued calls and timers, dropped with this object
    IntegrityCheck m_fullCheck; // stopped before m_context goes
    bool m_repairPending = false;
    bool m_repairDeclined = false;
    std::unique_ptr<QLockFile> m_instanceLock; // held for the life of the program
    MenuOffer m_offer;
    bool m_endProgram = false; // the staff load met a failure that ends the program
    QString m_pathProblem;     // why the folder the path file names cannot be used
    std::unique_ptr<StationLink> m_link;
    bool m_startedOffline = false;
    bool m_locationRefused = false;
    // Started without its server: the settings and today's staff are taken up once it answers.
    void catchUpWithServer();
    // This station's link to its server, with its queue in the program folder; throws DatabaseError
    // when the queue cannot be opened.
    std::unique_ptr<StationLink> makeStationLink();
    bool m_catchUpPending = false;
};
