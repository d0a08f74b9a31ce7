#include "shell/Application.h"

#include "clock/ClockWindow.h"
#include "platform/ProgramPaths.h"
#include "platform/QtMessageBoxes.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "shell/MainWindow.h"
#include "shell/StartUp.h"
#include "store/Database.h"

#include <QApplication>
#include <QPointer>

int Application::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellarin"));

    SystemTimeSource time;
    QtMessageBoxes messages;
    SilentSoundPlayer sounds;
    Database database;
    ProgramState state(ProgramPaths(ProgramPaths::resolveProgramFolder(QApplication::arguments())), database,
                       time, messages, sounds);

    StartUp startUp(state);
    if (!startUp.run())
        return 1;

    MainWindow main(state);
    main.applyMenuOffer(startUp.menuOffer());
    QPointer<ClockWindow> clock;
    main.setShowClock([&] {
        if (clock)
            return;
        clock = new ClockWindow(state);
        clock->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(clock, &ClockWindow::closed, &main, &QWidget::show);
        clock->showMaximized();
        main.hide();
    });
    QObject::connect(&main, &MainWindow::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.show();
    return QApplication::exec();
}
