#include "shell/ui/WelcomeWindow.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "shell/Welcome.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QRadioButton* option(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QRadioButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

WelcomeWindow::WelcomeWindow(const Services& services, Session& session, std::function<QString()> chooseFile,
                             QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_chooseFile(std::move(chooseFile))
{
    setWindowTitle(QStringLiteral("Welcome to Tellarin"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("<p><b>Tellarin turns this computer into a time clock.</b></p>"
                       "<p>Employees type their ID on the clock screen to clock in and out. From this "
                       "window's menus you keep the employees and their weekly schedules, correct clock "
                       "records, print clocking reports and see who is in.</p>"
                       "<p>First, where do the employees come from? You can change this later under "
                       "Options.</p>"),
        this);
    text->setObjectName(QStringLiteral("lblWelcome"));
    text->setWordWrap(true);
    text->setMinimumWidth(480);
    layout->addWidget(text);

    auto* frame = new QGroupBox(QStringLiteral("Employees"), this);
    auto* choices = new QVBoxLayout(frame);
    m_none = option(frame, "optNoEmployees",
                    QStringLiteral("No employee list: any ID typed at the clock is accepted"));
    m_local = option(frame, "optLocalStaff",
                     QStringLiteral("Employees entered in this program (menus Departments and Employees)"));
    m_scheduling =
        option(frame, "optScheduling", QStringLiteral("The Rostermill scheduling database (RTM.MDB)"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {m_none, m_local, m_scheduling}) {
        group->addButton(b);
        choices->addWidget(b);
    }
    const EmployeeSource now = session.employeeSource();
    (now == EmployeeSource::None         ? m_none
     : now == EmployeeSource::LocalFiles ? m_local
                                         : m_scheduling)
        ->setChecked(true);
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    m_addEmployee = new QPushButton(QStringLiteral("&Add employees\u2026"), this);
    m_addEmployee->setObjectName(QStringLiteral("cmdAddEmployee"));
    auto* clock = new QPushButton(QStringLiteral("Open the &clock screen"), this);
    clock->setObjectName(QStringLiteral("cmdShowClock"));
    auto* close = new QPushButton(QStringLiteral("C&lose"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(m_addEmployee);
    buttons->addWidget(clock);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(group, &QButtonGroup::buttonToggled, this, &WelcomeWindow::updateButtons);
    connect(m_addEmployee, &QPushButton::clicked, this, [this] { finish(Next::AddEmployee); });
    connect(clock, &QPushButton::clicked, this, [this] { finish(Next::ShowClock); });
    connect(close, &QPushButton::clicked, this, [this] { finish(Next::Nothing); });
    updateButtons();
}

void WelcomeWindow::reject()
{
    // Closed by its close box it is dismissed too; the source stays as it was.
    Welcome::dismiss(m_session);
    QDialog::reject();
}

void WelcomeWindow::updateButtons()
{
    // Employees are added here only when this program keeps them.
    m_addEmployee->setEnabled(m_local->isChecked());
}

void WelcomeWindow::finish(Next next)
{
    const EmployeeSource now = m_session.employeeSource();
    const EmployeeSource wanted = m_none->isChecked()    ? EmployeeSource::None
                                  : m_local->isChecked() ? EmployeeSource::LocalFiles
                                                         : EmployeeSource::SchedulingDatabase;
    if (wanted != now) {
        QString file;
        if (wanted == EmployeeSource::SchedulingDatabase) {
            file = m_chooseFile ? m_chooseFile() : QString();
            if (file.isEmpty())
                return; // no file chosen: the window stays, so another choice can be made
            if (!file.toUpper().endsWith(QStringLiteral("RTM.MDB"))) {
                m_services.messages.beep();
                m_services.messages.inform(this, QStringLiteral("The file you selected is not Rtm.mdb"),
                                           QStringLiteral("New database file"),
                                           MessageBoxes::Icon::Information);
                return;
            }
        }
        if (!Welcome::useSource(m_services, m_session, wanted, file, this))
            return;
    }
    Welcome::dismiss(m_session);
    m_next = next;
    accept();
}
