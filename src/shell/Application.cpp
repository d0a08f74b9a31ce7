#include "shell/Application.h"

#include "clock/ClockWindow.h"
#include "platform/ProgramPaths.h"
#include "platform/QtCamera.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "platform/ToneWaves.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "settings/SettingsIo.h"
#include "shell/MainWindow.h"
#include "store/ApplicationTable.h"
#include "store/ClockFiles.h"
#include "store/Database.h"

#include <QApplication>
#include <QPointer>

int Application::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellarin"));
    SystemTimeSource time;
    QtMessageBoxes messages;
    Database database;
    const ProgramPaths paths(ProgramPaths::resolveProgramFolder(QApplication::arguments()));
    QtSoundPlayer sounds(paths);
    QtCamera camera;
    ProgramState state(paths, database, time, messages, sounds, camera);
    QString error;
    if (!ClockFiles::ensureClockDatabase(state.paths, &error)) {
        messages.inform(nullptr, error, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return 1;
    }
    ToneWaves::writeMissing(state.paths);
    const Database::OpenResult opened = database.open(state.paths.clockDatabase());
    if (!opened.ok()) {
        messages.inform(nullptr, opened.errorText, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
        return 1;
    }
    state.settings = SettingsIo::load(ApplicationTable(database).read());

    MainWindow main(state);
    QPointer<ClockWindow> clock;
    main.setShowClock([&] {
        if (clock)
            return;
        clock = new ClockWindow(state);
        clock->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(clock, &ClockWindow::closed, &main, &QWidget::show);
        clock->show();
        main.hide();
    });
    main.show();
    return QApplication::exec();
}
