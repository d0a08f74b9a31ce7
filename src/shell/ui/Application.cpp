#include "shell/ui/Application.h"

#include "clock/ForcedClockOut.h"
#include "clock/ui/ClockWindow.h"
#include "platform/ProgramPaths.h"
#include "platform/TimeSource.h"
#include "platform/ToneWaves.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/QtCamera.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/QtSoundPlayer.h"
#include "reports/ui/ReportWindow.h"
#include "settings/ProgramState.h"
#include "shell/CommandLine.h"
#include "shell/StartUp.h"
#include "shell/ui/MainWindow.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QApplication>
#include <QPointer>

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
    ProgramState state(paths, database, time, messages, sounds, camera);

    StartUp startUp(state);
    if (!startUp.run())
        return 1;
    ToneWaves::writeMissing(state.paths);
    ClockFiles::ensureTemplate(state.paths);

    MainWindow main(state);
    main.applyMenuOffer(startUp.menuOffer());
    QPointer<ClockWindow> clock;
    main.setShowClock([&] {
        if (clock)
            return;
        clock = new ClockWindow(state);
        clock->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(clock, &ClockWindow::closed, &main, &QWidget::show);
        QObject::connect(clock, &ClockWindow::endRequested, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        clock->showMaximized();
        main.hide();
    });
    // Forgotten clock-ins are closed first, so they show with their forced OUT.
    main.setCommand(MainWindow::Command::Reports, [&] {
        try {
            ForcedClockOut(database, time).run(state.settings);
        } catch (const DatabaseError& error) {
            messages.inform(&main, error.userMessage(), QStringLiteral("Database"),
                            MessageBoxes::Icon::Critical);
        }
        ReportWindow report(state, &main);
        report.exec();
    });
    HelpWindow help;
    main.setShowHelp([&](int topic) {
        help.showTopic(topic);
        help.show();
        help.raise();
    });
    QObject::connect(&main, &MainWindow::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.show();
    return QApplication::exec();
}
