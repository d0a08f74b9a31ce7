#include "shell/ui/MainWindow.h"

#include "clock/ui/ResetCodeBox.h"
#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/Password.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"
#include "store/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// Lengths in twips, turned into pixels for the screen at hand.
constexpr int statusPanelHeight = 350;
constexpr int buttonGapAboveStatus = 100;
constexpr int resetAreaWidth = 2000;
constexpr int progressFromTop = 120;
constexpr int progressFromRight = 200;
constexpr int progressSteps = 20;
constexpr int progressStepMilliseconds = 4;

} // namespace

MainWindow::MainWindow(const Services& services, Session& session, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("Tellarin"));
    buildMenus();
    // Wide enough for every menu: an entry pushed behind the menu bar's overflow arrow is one a
    // manager never finds.
    const int menuWidth = menuBar()->sizeHint().width();
    buildBody();
    applyMenuOffer(MenuOffer{});
    updateEnabled();
    resize(std::max(640, menuWidth), 420);
    m_knownPasswordValue = m_session.settings().password;
    m_menuSource = m_session.employeeSource();
    // A changed employee source shows or hides the staff menus.
    connect(&m_session, &Session::settingsChanged, this, &MainWindow::showEmployeeSource);
    // Whoever just set a password knows it: the window does not lock for it on coming back.
    connect(&m_session, &Session::settingsChanged, this, [this] {
        const QString& password = m_session.settings().password;
        if (password == m_knownPasswordValue)
            return;
        m_knownPasswordValue = password;
        m_passwordKnown = !password.isEmpty();
    });
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    addCommand(m_fileMenu, Command::DeleteOldRecords, "mnuDeleteOldRecords",
               QStringLiteral("&Delete old records "));
    m_compact = addEntry(m_fileMenu, "mnuCompact", QStringLiteral("&Compact database"));
    connect(m_compact, &QAction::triggered, this, &MainWindow::compactDatabase);
    m_migrate = addEntry(m_fileMenu, "mnuMigrate", QStringLiteral("&Migrate Database"));
    connect(m_migrate, &QAction::triggered, this, &MainWindow::migrateDatabase);
    connect(addEntry(m_fileMenu, "mnuExit", QStringLiteral("&Exit")), &QAction::triggered, this,
            &QWidget::close);

    addCommand(nullptr, Command::EditClockRecords, "mnuEditClockRecords",
               QStringLiteral("&Edit clock records"));

    m_departmentsMenu = bar->addMenu(QStringLiteral("&Departments"));
    m_departmentsMenu->setObjectName(QStringLiteral("mnuDepartments"));
    addCommand(m_departmentsMenu, Command::AddDepartment, "mnuAddDepartment",
               QStringLiteral("Add new Department"));
    addCommand(m_departmentsMenu, Command::ChangeDepartment, "mnuChangeDepartment",
               QStringLiteral("&Change Department"));
    addCommand(m_departmentsMenu, Command::DeleteDepartment, "mnuDeleteDepartment",
               QStringLiteral("&Delete Department"));

    m_employeesMenu = bar->addMenu(QStringLiteral("E&mployees"));
    m_employeesMenu->setObjectName(QStringLiteral("mnuEmployees"));
    addCommand(m_employeesMenu, Command::AddEmployee, "mnuAddEmployee", QStringLiteral("&Add new Employee"));
    addCommand(m_employeesMenu, Command::ChangeEmployee, "mnuChangeEmployee",
               QStringLiteral("&Change employee record"));
    addCommand(m_employeesMenu, Command::DeleteEmployee, "mnuDeleteEmployee",
               QStringLiteral("&Delete employee record"));
    m_employeesMenu->addSeparator();
    addCommand(m_employeesMenu, Command::ImportEmployees, "mnuImportEmployees",
               QStringLiteral("&Import employees\u2026"));
    addCommand(m_employeesMenu, Command::ExportEmployees, "mnuExportEmployees",
               QStringLiteral("E&xport employees\u2026"));

    addCommand(nullptr, Command::WhoIsInAndOut, "mnuWhoIsInAndOut", QStringLiteral("Who is In and Out"));
    addCommand(nullptr, Command::Reports, "mnuReports", QStringLiteral("&Reports"));
    // "&Reports" opens the clocking report at one click, so the reports added since sit in a menu
    // of their own beside it.
    m_moreReportsMenu = bar->addMenu(QStringLiteral("More re&ports"));
    m_moreReportsMenu->setObjectName(QStringLiteral("mnuMoreReports"));
    addCommand(m_moreReportsMenu, Command::PaySummary, "mnuPaySummary", QStringLiteral("&Pay summary"));
    addCommand(m_moreReportsMenu, Command::PayPeriods, "mnuPayPeriods", QStringLiteral("Pay p&eriods"));
    addCommand(m_moreReportsMenu, Command::Exceptions, "mnuExceptions", QStringLiteral("&Exceptions"));
    addCommand(nullptr, Command::Options, "mnuOptions", QStringLiteral("&Options"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(addEntry(help, "mnuAbout", QStringLiteral("&About this program")), &QAction::triggered, this,
            &MainWindow::showAbout);
    const std::array<std::tuple<const char*, QString, int>, 3> topics{{
        {"mnuOverview", QStringLiteral("&Overview"), 10},
        {"mnuLicense", QStringLiteral("&License agreement"), 20},
        {"mnuEquipment", QStringLiteral("&What equipment do I need"), 50},
    }};
    for (const auto& [name, text, topic] : topics) {
        QAction* entry = addEntry(help, name, text);
        connect(entry, &QAction::triggered, this, [this, topic = topic] {
            if (m_showHelp)
                m_showHelp(topic);
        });
        m_helpTopics.append(entry);
    }
}

void MainWindow::buildBody()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    central->setObjectName(QStringLiteral("OpeningBody"));
    central->setStyleSheet(
        QStringLiteral("QWidget#OpeningBody { background: qlineargradient(x1:0, y1:0, x2:0, "
                       "y2:1, stop:0 rgb(0,150,70), stop:1 rgb(0,70,35)); }"
                       "QLabel { color: white; }"));
    auto* title = new QLabel(QStringLiteral("Tellarin"), central);
    title->setStyleSheet(QStringLiteral("font-size: 30pt; font-weight: bold;"));
    auto* subtitle = new QLabel(QStringLiteral("Time and attendance"), central);
    subtitle->setStyleSheet(QStringLiteral("font-size: 14pt;"));
    auto* release = new QLabel(QStringLiteral("Release ") + QStringLiteral(TELLARIN_VERSION), central);
    release->setObjectName(QStringLiteral("lblRelease"));
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(subtitle, 0, Qt::AlignHCenter);
    layout->addWidget(release, 0, Qt::AlignHCenter);
    layout->addStretch();

    m_prompt = new QLabel(QStringLiteral("Type in password....  press Enter"), central);
    m_prompt->setObjectName(QStringLiteral("lblPassword"));
    m_prompt->setAlignment(Qt::AlignCenter);
    m_password = new QLineEdit(central);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(Password::maximumLength);
    m_password->setContextMenuPolicy(Qt::NoContextMenu); // every character goes through the key filter
    m_password->setFixedWidth(160);
    m_password->installEventFilter(this);
    m_prompt->hide();
    m_password->hide();
    layout->addWidget(m_prompt);
    layout->addWidget(m_password, 0, Qt::AlignHCenter);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    m_showClockButton = new QPushButton(QStringLiteral("Show &Clock"), central);
    m_showClockButton->setObjectName(QStringLiteral("cmdShowClock"));
    m_showClockButton->setMinimumSize(140, 40);
    m_showClockButton->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("E&xit"), central);
    exit->setObjectName(QStringLiteral("cmdExitProgram"));
    exit->setMinimumSize(100, 40);
    buttons->addStretch();
    buttons->addWidget(m_showClockButton);
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    layout->setContentsMargins(11, 11, 11, buttonGapAboveStatus * logicalDpiY() / 1440);
    setCentralWidget(central);
    connect(m_showClockButton, &QPushButton::clicked, this, &MainWindow::showClockScreen);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    status->setFixedHeight(statusPanelHeight * logicalDpiY() / 1440);
    status->installEventFilter(this);
    m_resetCode = new ResetCodeBox(m_services, m_session, status);
    status->addWidget(m_resetCode);
    m_resetCode->hide();
    connect(m_resetCode, &ResetCodeBox::passwordCleared, this, &MainWindow::endRequested);
    // With a shared server the folder holds only this station's files; the server is where the data is.
    auto* folder = new QLabel(m_session.location().isServer() ? m_session.location().displayUrl()
                                                              : m_session.paths().dataFolder(),
                              status);
    folder->setObjectName(QStringLiteral("lblStatus"));
    // The reset-code area must stay a plain part of the status panel, not a label eating the clicks.
    folder->setAttribute(Qt::WA_TransparentForMouseEvents);
    status->addWidget(folder, 1);
    m_exceptionsLink = new QPushButton(status);
    m_exceptionsLink->setObjectName(QStringLiteral("cmdExceptionsThisWeek"));
    m_exceptionsLink->setFlat(true);
    m_exceptionsLink->setCursor(Qt::PointingHandCursor);
    m_exceptionsLink->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline;"));
    m_exceptionsLink->hide();
    connect(m_exceptionsLink, &QPushButton::clicked, this, [this] { runCommand(Command::Exceptions); });
    status->addPermanentWidget(m_exceptionsLink);
    m_late = new QLabel(status);
    m_late->setObjectName(QStringLiteral("lblLate"));
    m_late->hide();
    connect(m_late, &QLabel::linkActivated, this, [this] { runCommand(Command::WhoIsInAndOut); });
    status->addPermanentWidget(m_late);

    m_progress = new QProgressBar(central);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setFixedSize(180, 18);
    m_progress->hide();
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(progressStepMilliseconds);
    connect(m_progressTimer, &QTimer::timeout, this, &MainWindow::stepProgress);
}

QAction* MainWindow::addEntry(QMenu* menu, const char* name, const QString& text)
{
    QAction* action = menu ? menu->addAction(text) : menuBar()->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* MainWindow::addCommand(QMenu* menu, Command command, const char* name, const QString& text)
{
    QAction* action = addEntry(menu, name, text);
    m_commandActions.insert(static_cast<int>(command), action);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    return action;
}

void MainWindow::setShowHelp(std::function<void(int topic)> showHelp)
{
    m_showHelp = std::move(showHelp);
    updateEnabled();
}

void MainWindow::setCommand(Command command, std::function<void()> open)
{
    m_commands[static_cast<std::size_t>(command)] = std::move(open);
    updateEnabled();
}

void MainWindow::showLateCount(int count)
{
    const QString text =
        count == 1 ? QStringLiteral("1 expected, not in") : QStringLiteral("%1 expected, not in").arg(count);
    m_late->setText(QStringLiteral("<a href=\"who\">%1</a>").arg(text));
    m_late->setVisible(count > 0);
}

void MainWindow::runCommand(Command command)
{
    const auto& open = m_commands[static_cast<std::size_t>(command)];
    if (!open)
        return;
    open();
    // Whatever the window changed may have fixed or made exceptions.
    updateExceptionCount();
}

void MainWindow::showEmployeeSource()
{
    if (m_session.employeeSource() == m_menuSource)
        return;
    m_menuSource = m_session.employeeSource();
    MenuOffer offer = MenuOffer::of(m_menuSource, QString());
    offer.migrate = m_offer.migrate;
    offer.compact = m_offer.compact;
    applyMenuOffer(offer);
}

void MainWindow::applyMenuOffer(const MenuOffer& offer)
{
    m_offer = offer;
    m_departmentsMenu->menuAction()->setVisible(offer.departments);
    m_employeesMenu->menuAction()->setVisible(offer.employees);
    for (QAction* entry : m_employeesMenu->actions())
        entry->setVisible(offer.employeeEntries);
    m_migrate->setVisible(offer.migrate);
    m_compact->setVisible(offer.compact);
}

void MainWindow::updateEnabled()
{
    const auto wired = [this](Command c) {
        return static_cast<bool>(m_commands[static_cast<std::size_t>(c)]);
    };
    const bool open = !m_locked;
    for (auto it = m_commandActions.cbegin(); it != m_commandActions.cend(); ++it)
        it.value()->setEnabled(wired(static_cast<Command>(it.key())));
    // The lock closes everything a manager uses; who is in and the help stay available.
    m_fileMenu->menuAction()->setEnabled(open);
    m_departmentsMenu->menuAction()->setEnabled(open);
    m_employeesMenu->menuAction()->setEnabled(open);
    m_moreReportsMenu->menuAction()->setEnabled(open);
    for (Command c : {Command::EditClockRecords, Command::Reports, Command::PaySummary, Command::PayPeriods,
                      Command::Exceptions, Command::Options})
        m_commandActions.value(static_cast<int>(c))->setEnabled(open && wired(c));
    m_showClockButton->setEnabled(open);
    for (QAction* topic : std::as_const(m_helpTopics))
        topic->setEnabled(static_cast<bool>(m_showHelp));
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A kiosk without a window manager never activates the window: its first showing counts.
    if (m_firstActivation)
        activated();
}

void MainWindow::setExceptionCount(std::function<qsizetype()> count)
{
    m_exceptionCount = std::move(count);
    updateExceptionCount();
}

void MainWindow::updateExceptionCount()
{
    const qsizetype count = m_exceptionCount && !m_locked ? m_exceptionCount() : 0;
    m_exceptionsLink->setText(count == 1 ? QStringLiteral("1 exception this week")
                                         : QStringLiteral("%1 exceptions this week").arg(count));
    m_exceptionsLink->setVisible(count > 0);
}

void MainWindow::activated()
{
    setWindowTitle(QStringLiteral("Tellarin"));
    const bool firstActivation = m_firstActivation;
    m_firstActivation = false;
    if (!m_session.settings().password.isEmpty() && !m_passwordKnown && !m_session.settings().showClockFirst)
        lockForPassword();
    updateExceptionCount();
    if (m_session.settings().showClockFirst && firstActivation) {
        // Not from inside the activation itself: the clock screen takes the activation over.
        QMetaObject::invokeMethod(this, &MainWindow::showClockScreen, Qt::QueuedConnection);
    }
}

void MainWindow::lockForPassword()
{
    m_passwordKnown = true;
    m_locked = true;
    m_password->clear();
    m_prompt->show();
    m_password->show();
    updateEnabled();
    m_password->setFocus();
}

void MainWindow::checkPassword()
{
    switch (Password::check(m_password->text(), m_session.settings().password)) {
    case Password::CheckResult::Ignored:
        return;
    case Password::CheckResult::Unlocked:
        m_locked = false;
        m_password->clear();
        m_prompt->hide();
        m_password->hide();
        updateEnabled();
        updateExceptionCount();
        return;
    case Password::CheckResult::Denied:
        m_services.messages.beep();
        m_services.messages.inform(this, Password::deniedText, Password::deniedTitle,
                                   MessageBoxes::Icon::Critical);
        m_password->clear();
        m_password->setFocus();
        return;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (watched == m_password)
            return filterPasswordKey(static_cast<QKeyEvent*>(event));
    }
    if (watched == statusBar() && ResetCodeBox::isOpeningPress(event) &&
        static_cast<QMouseEvent*>(event)->position().x() < resetAreaWidth * logicalDpiX() / 1440.0) {
        m_resetCode->open();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::filterPasswordKey(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        checkPassword();
        return true;
    }
    if (event->key() == Qt::Key_Backspace || event->text().isEmpty() || event->key() == Qt::Key_Tab)
        return false;
    const Password::KeyDecision decision = Password::filterKey(event->text().at(0));
    if (decision.action == Password::KeyAction::Refuse)
        m_services.messages.beep();
    else
        m_password->insert(QString(decision.character));
    return true;
}

void MainWindow::showClockScreen()
{
    if (m_session.blankEmployeeId() && m_session.hasEmployeeDatabase()) {
        const QStringList lines{QStringLiteral("Under Options, you elected to use the Database of program"),
                                QStringLiteral("Rostermill, all employees must have valid"),
                                QStringLiteral("Employee IDs"),
                                QStringLiteral("Currently one or more IDs are not filled in.")};
        m_services.messages.inform(this, lines.join(QLatin1Char('\n')),
                                   QStringLiteral("One or more blank Employee ID"),
                                   MessageBoxes::Icon::Warning);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    QApplication::restoreOverrideCursor();
    if (m_showClock)
        m_showClock();
}

void MainWindow::showAbout()
{
    m_services.messages.inform(this,
                               QStringLiteral("Tellarin\nRelease ") + QStringLiteral(TELLARIN_VERSION) +
                                   QStringLiteral("\n\nTime and attendance for one clock station."),
                               QStringLiteral("About Tellarin"), MessageBoxes::Icon::Information);
}

void MainWindow::compactDatabase()
{
    finishMaintenance(DatabaseMaintenance::compact(m_services.database, m_session.paths()));
}

void MainWindow::migrateDatabase()
{
    const DatabaseMaintenance::Result result =
        DatabaseMaintenance::migrate(m_services.database, m_session.paths(), m_services.time.now());
    if (result == DatabaseMaintenance::Result::Done) {
        MenuOffer offer = m_offer;
        offer.migrate = MenuOffer::of(m_session.employeeSource(),
                                      DatabaseMaintenance::fileFormatVersion(m_services.database),
                                      m_services.database.isServer())
                            .migrate;
        applyMenuOffer(offer);
    }
    finishMaintenance(result);
}

void MainWindow::finishMaintenance(DatabaseMaintenance::Result result)
{
    // Another program may have taken the file in the moment it was closed; without it nothing
    // can be punched or read, so the program says so and ends rather than fail at every step.
    if (!m_services.database.isOpen() &&
        !DatabaseMaintenance::openClockDatabase(m_services.database, m_session.paths()).ok()) {
        m_services.messages.beep();
        m_services.messages.inform(this, QStringLiteral("Database Clock.mdb is in use!\n\nTry later."),
                                   QStringLiteral("Clock database"), MessageBoxes::Icon::Critical);
        Q_EMIT endRequested();
        return;
    }
    switch (result) {
    case DatabaseMaintenance::Result::Done:
        showProgress();
        return;
    case DatabaseMaintenance::Result::InUse:
        m_services.messages.inform(this, QStringLiteral("Database is in use!"),
                                   QStringLiteral("Access denied!"), MessageBoxes::Icon::Critical);
        return;
    case DatabaseMaintenance::Result::Failed:
        return;
    }
}

void MainWindow::showProgress()
{
    // The work is already done; the panel only tells the manager so.
    m_progress->setValue(0);
    placeProgress();
    m_progress->show();
    m_progress->raise();
    m_progressTimer->start();
}

void MainWindow::stepProgress()
{
    m_progress->setValue(m_progress->value() + 100 / progressSteps);
    if (m_progress->value() >= 100) {
        m_progressTimer->stop();
        m_progress->hide();
    }
}

void MainWindow::placeProgress()
{
    const QWidget* central = centralWidget();
    const int x = central->width() - progressFromRight * logicalDpiX() / 1440 - m_progress->width();
    m_progress->move(qMax(0, x), progressFromTop * logicalDpiY() / 1440);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    placeProgress();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    KillPictures(m_session.paths(), m_services.time.today(), m_session.settings().pictureDays);
    event->accept();
    Q_EMIT endRequested();
}
