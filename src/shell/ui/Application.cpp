#include "shell/ui/Application.h"

#include "clock/ForcedClockOut.h"
#include "clock/LateWatch.h"
#include "clock/StationLink.h"
#include "clock/ui/ClockWindow.h"
#include "exceptions/PunchExceptions.h"
#include "exceptions/ui/ExceptionsWindow.h"
#include "pay/PaySummary.h"
#include "pay/WeekHours.h"
#include "pay/ui/PaySummaryWindow.h"
#include "payroll/ui/PayPeriodsWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramExit.h"
#include "platform/ProgramPaths.h"
#include "platform/TimeSource.h"
#include "platform/ToneWaves.h"
#include "platform/ui/FreedesktopNotifier.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/QtCamera.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/QtSoundPlayer.h"
#include "platform/ui/SelectNewPath.h"
#include "platform/ui/WindowManager.h"
#include "records/ui/OldRecordsWindow.h"
#include "records/ui/RecordSelectionWindow.h"
#include "reports/ui/ReportWindow.h"
#include "reports/ui/SequenceAuditFrame.h"
#include "reports/ui/WhoIsInWindow.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/ui/OptionsDialog.h"
#include "settings/ui/TimedateClockSetter.h"
#include "shell/CommandLine.h"
#include "shell/PeriodExceptions.h"
#include "shell/StartUp.h"
#include "shell/Welcome.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/WelcomeWindow.h"
#include "staff/EmployeeEditing.h"
#include "staff/ui/DepartmentWindow.h"
#include "staff/ui/EmployeeEditor.h"
#include "staff/ui/EmployeeListWindow.h"
#include "staff/ui/StaffTransfer.h"
#include "store/CameraFile.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

int Application::run(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (CommandLine::commandIn(arguments))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellarin"));

    SystemTimeSource time;
    QtMessageBoxes messages;
    Database database;
    const ProgramPaths paths(ProgramPaths::resolveProgramFolder(QApplication::arguments()));
    QtSoundPlayer sounds(paths);
    QtCamera camera;
    const Services services{database, time, messages, sounds, camera};
    Session session(paths);
    StartUp startUp(services, session);
    startUp.clockStation = true;
    startUp.locateDatabase = [&] {
        QString locationError;
        const std::optional<DatabaseLocation> location =
            StationSettings::resolve(QApplication::arguments(), qEnvironmentVariable("TELLARIN_DATABASE"),
                                     StationSettings(paths.programFolder()), &locationError);
        if (!location) {
            messages.inform(nullptr, locationError, QStringLiteral("Clock database"),
                            MessageBoxes::Icon::Critical);
            return false;
        }
        session.setLocation(*location);
        return true;
    };
    if (!startUp.run())
        return startUp.locationRefused() ? 2 : 1;
    ToneWaves::writeMissing(session.paths());
    ClockFiles::ensureTemplate(session.paths());
    camera.choose(CameraFile::read(session.paths()));

    MainWindow main(services, session);
    main.applyMenuOffer(startUp.menuOffer());
    QPointer<ClockWindow> clock;
    main.setShowClock([&] {
        if (clock)
            return;
        // Staff and cards changed on this station since the last refresh are kept for a time
        // without the server before the first punch.
        if (StationLink* link = startUp.stationLink())
            link->refreshWhileOnline();
        clock = new ClockWindow(services, session, startUp.stationLink());
        clock->setAttribute(Qt::WA_DeleteOnClose);
        clock->setWeekHours([&services, &session](const QString& id) {
            return WeekHours::line(
                WeekHours::of(services.database, session.settings(), id, services.time.now()));
        });
        // Without a window manager a window shown again does not get the keyboard by itself.
        QObject::connect(clock, &ClockWindow::closed, &main, [&main] {
            main.show();
            main.activateWindow();
        });
        QObject::connect(clock, &ClockWindow::endRequested, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        WindowManager::showFilling(clock);
        main.hide();
    });
    QtProgramExit programExit;
    TimedateClockSetter clockSetter;
    // The audit's period stays chosen from one opening of the options to the next.
    SequenceAudit::Period auditPeriod;
    main.setCommand(MainWindow::Command::Options, [&] {
        OptionsDialog options(
            services, session, clockSetter,
            [&](const SettingsChange& change, const SourceChoice& source, QWidget* parent) {
                return OptionsSave::run(services, session, change, source, programExit, parent);
            },
            &main);
        options.setAuditFrame(new SequenceAuditFrame(services, session, auditPeriod));
        options.exec();
    });
    main.setCommand(MainWindow::Command::WhoIsInAndOut, [&] {
        WhoIsInWindow whoIsIn(services, session, &main);
        whoIsIn.exec();
    });
    // Forgotten clock-ins are closed first, so the reports and the record editor show them with
    // their forced OUT.
    const auto closeForgottenClockIns = [&] {
        try {
            ForcedClockOut(database, time).run(session);
        } catch (const DatabaseError& error) {
            messages.inform(&main, error.userMessage(), QStringLiteral("Database"),
                            MessageBoxes::Icon::Critical);
        }
    };
    main.setCommand(MainWindow::Command::Reports, [&] {
        closeForgottenClockIns();
        ReportWindow report(services, session, &main);
        report.pairPay = PaySummary::pairPaySource(session);
        report.exec();
    });
    main.setCommand(MainWindow::Command::PaySummary, [&] {
        closeForgottenClockIns();
        PaySummaryWindow pay(services, session, &main);
        pay.exec();
    });
    main.setCommand(MainWindow::Command::PayPeriods, [&] {
        closeForgottenClockIns();
        PayPeriodsWindow periods(services, session, PeriodExceptions::counter(services, session), &main);
        periods.exec();
    });
    main.setCommand(MainWindow::Command::Exceptions, [&] {
        closeForgottenClockIns();
        ExceptionsWindow exceptions(services, session, &main);
        exceptions.exec();
    });
    main.setExceptionCount([&]() -> qsizetype {
        try {
            return PunchExceptions::openThisWeek(database, session.settings(), time.now());
        } catch (const DatabaseError&) {
            // The line is a hint; a database problem shows where the manager acts on it.
            return 0;
        }
    });
    main.setCommand(MainWindow::Command::EditClockRecords, [&] {
        closeForgottenClockIns();
        RecordSelectionWindow selection(services, session, &main);
        selection.exec();
    });
    main.setCommand(MainWindow::Command::DeleteOldRecords, [&] {
        OldRecordsWindow removal(services, session, &main);
        removal.exec();
    });
    main.setCommand(MainWindow::Command::ChangeEmployee, [&] {
        EmployeeListWindow list(services, session, EmployeeListing::Purpose::Change, &main);
        list.exec();
        if (list.chosenIndex()) {
            EmployeeEditor editor(services, session, *list.chosenIndex(), &main);
            editor.exec();
        }
    });
    main.setCommand(MainWindow::Command::DeleteEmployee, [&] {
        EmployeeListWindow list(services, session, EmployeeListing::Purpose::Delete, &main);
        list.exec();
    });
    HelpWindow help;
    main.setShowHelp([&](int topic) {
        help.showTopic(topic);
        help.show();
        help.raise();
        help.activateWindow();
    });
    QObject::connect(&help, &HelpWindow::closed, &main, [&main] {
        if (main.isVisible())
            main.activateWindow();
    });

    main.setCommand(MainWindow::Command::AddEmployee, [&] {
        EmployeeEditor editor(services, session, EmployeeEditing::adding, &main);
        editor.exec();
    });
    const std::pair<MainWindow::Command, DepartmentWindow::Action> departmentCommands[] = {
        {MainWindow::Command::AddDepartment, DepartmentWindow::Action::Add},
        {MainWindow::Command::ChangeDepartment, DepartmentWindow::Action::Change},
        {MainWindow::Command::DeleteDepartment, DepartmentWindow::Action::Delete}};
    for (const auto& [command, action] : departmentCommands) {
        main.setCommand(command, [&, action] {
            DepartmentWindow window(services, session, action, &main);
            window.exec();
        });
    }
    main.setCommand(MainWindow::Command::ImportEmployees,
                    [&] { StaffTransfer::importEmployees(&main, services, session); });
    main.setCommand(MainWindow::Command::ExportEmployees,
                    [&] { StaffTransfer::exportEmployees(&main, services, session); });
    QObject::connect(&main, &MainWindow::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.show();
    main.activateWindow();
    // Who is late is looked at once a minute whichever window is up, the clock screen included.
    FreedesktopNotifier notifier;
    LateWatch lateWatch(database, time, session, notifier);
    QObject::connect(&lateWatch, &LateWatch::lateChanged, &main, &MainWindow::showLateCount);
    lateWatch.start();
    // A new database shows where to begin; the source chosen there rebuilds the menus at once.
    if (Welcome::due(services, session)) {
        QTimer::singleShot(0, &main, [&] {
            WelcomeWindow welcome(
                services, session, [&] { return selectNewPath(&main, session.paths().programFolder()); },
                &main);
            welcome.exec();
            const bool server = services.database.isServer();
            main.applyMenuOffer(MenuOffer::of(
                session.employeeSource(),
                server ? QString() : DatabaseMaintenance::fileFormatVersion(services.database), server));
            if (welcome.next() == WelcomeWindow::Next::AddEmployee) {
                EmployeeEditor editor(services, session, EmployeeEditing::adding, &main);
                editor.exec();
            } else if (welcome.next() == WelcomeWindow::Next::ShowClock) {
                if (auto* show = main.findChild<QPushButton*>(QStringLiteral("cmdShowClock")))
                    show->click();
            }
        });
    }
    return QApplication::exec();
}
