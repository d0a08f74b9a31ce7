#pragma once

#include "shell/StartUp.h"
#include "store/DatabaseMaintenance.h"

#include <QHash>
#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class ResetCodeBox;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
struct Services;
class Session;

// The opening window: the manager's menus, the show-clock and exit buttons, the password lock
// and the hidden reset-code box.
//
// Object names: menus mnuFile, mnuDepartments, mnuEmployees, mnuHelp; entries mnuDeleteOldRecords,
// mnuCompact, mnuMigrate, mnuExit, mnuEditClockRecords, mnuAddDepartment, mnuChangeDepartment,
// mnuDeleteDepartment, mnuAddEmployee, mnuChangeEmployee, mnuDeleteEmployee, mnuImportEmployees,
// mnuExportEmployees, mnuWhoIsInAndOut,
// mnuReports, mnuOptions, mnuAbout, mnuOverview, mnuLicense, mnuEquipment; buttons cmdShowClock
// and cmdExitProgram; lblRelease, lblPassword and txtPassword (the lock), StatusBar1, cmdExceptionsThisWeek,
// txtResetCode, ProgressBar1, lblLate.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The entries that open other windows; each stays disabled until its window is wired.
    enum class Command {
        DeleteOldRecords,
        EditClockRecords,
        AddDepartment,
        ChangeDepartment,
        DeleteDepartment,
        AddEmployee,
        ChangeEmployee,
        DeleteEmployee,
        WhoIsInAndOut,
        Reports,
        Options,
        ImportEmployees,
        ExportEmployees,
        PaySummary,
        PayPeriods,
        Exceptions,
    };
    static constexpr int commandCount = 16;

    explicit MainWindow(const Services& services, Session& session, QWidget* parent = nullptr);

    // Opens the clock screen. The callback hides this window while the clock screen is shown and
    // shows it again when the clock screen closes.
    void setShowClock(std::function<void()> showClock) { m_showClock = std::move(showClock); }
    // Shows a help topic by its number (10, 20, 50).
    void setShowHelp(std::function<void(int topic)> showHelp);
    // Wires an entry to the window it opens; the function says what that window is opened for.
    void setCommand(Command command, std::function<void()> open);
    void applyMenuOffer(const MenuOffer& offer);
    // Counts this week's open exceptions for the status line, read again at each activation; the
    // line opens the Exceptions window and is hidden while there are none or the window is locked.
    void setExceptionCount(std::function<qsizetype()> count);

    bool isLocked() const { return m_locked; }
    // The status line's count of employees expected by their schedule who have not clocked in;
    // hidden at 0, and a click opens who is in.
    void showLateCount(int count);

Q_SIGNALS:
    // The program is to end: after Exit, or after a reset code cleared the password.
    void endRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildBody();
    QAction* addEntry(QMenu* menu, const char* name, const QString& text);
    QAction* addCommand(QMenu* menu, Command command, const char* name, const QString& text);
    void runCommand(Command command);
    void updateEnabled();

    void activated();
    void lockForPassword();
    void checkPassword();
    bool filterPasswordKey(QKeyEvent* event);

    void showClockScreen();
    void showAbout();
    void compactDatabase();
    void migrateDatabase();
    void finishMaintenance(DatabaseMaintenance::Result result);
    void showProgress();
    void stepProgress();
    void placeProgress();
    void showEmployeeSource();
    void updateExceptionCount();

    const Services& m_services;
    Session& m_session;
    std::function<void()> m_showClock;
    std::function<void(int)> m_showHelp;
    std::array<std::function<void()>, commandCount> m_commands;
    QHash<int, QAction*> m_commandActions;
    MenuOffer m_offer;
    bool m_locked = false;
    bool m_firstActivation = true;
    // The password has been asked for here, or was set or changed by the user while this window ran.
    bool m_passwordKnown = false;
    EmployeeSource m_menuSource = EmployeeSource::None;
    QString m_knownPasswordValue;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_departmentsMenu = nullptr;
    QMenu* m_employeesMenu = nullptr;
    QMenu* m_moreReportsMenu = nullptr;
    QAction* m_migrate = nullptr;
    QAction* m_compact = nullptr;
    QList<QAction*> m_helpTopics;
    QPushButton* m_showClockButton = nullptr;
    QLabel* m_prompt = nullptr;
    QLabel* m_late = nullptr;
    QLineEdit* m_password = nullptr;
    ResetCodeBox* m_resetCode = nullptr;
    QProgressBar* m_progress = nullptr;
    std::function<qsizetype()> m_exceptionCount;
    QPushButton* m_exceptionsLink = nullptr;
    QTimer* m_progressTimer = nullptr;
};
