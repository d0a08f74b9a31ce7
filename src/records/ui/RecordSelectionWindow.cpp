#include "records/ui/RecordSelectionWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/DatePicker.h"
#include "records/ui/DayChoice.h"
#include "records/ui/RecordEditorWindow.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/ui/EmployeeListWindow.h"
#include "store/DayNumber.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Day numbers below this are no date at all (the picker never gives one).
constexpr qint32 firstDate = 35000;
} // namespace

RecordSelectionWindow::RecordSelectionWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_startDay(DayNumber::of(services.time.today()))
{
    setWindowTitle(QStringLiteral("Edit clock records"));
    auto* layout = new QVBoxLayout(this);
    m_date = new QPushButton(this);
    m_date->setObjectName(QStringLiteral("cmdDate"));
    m_date->setMinimumWidth(260);
    showChosenDay(m_date, m_startDay);
    layout->addWidget(m_date);

    m_pick = new QPushButton(QStringLiteral("&Pick employee"), this);
    m_pick->setObjectName(QStringLiteral("cmdPickEmployee"));
    layout->addWidget(m_pick);
    auto* idRow = new QHBoxLayout;
    m_idLabel = new QLabel(QStringLiteral("Enter Employee ID"), this);
    m_idLabel->setObjectName(QStringLiteral("lblEnterID"));
    m_id = new QLineEdit(this);
    m_id->setObjectName(QStringLiteral("txtID"));
    idRow->addWidget(m_idLabel);
    idRow->addWidget(m_id);
    layout->addLayout(idRow);

    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("lblWarning"));
    m_warning->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
    layout->addWidget(m_warning);

    auto* buttons = new QHBoxLayout;
    auto* goButton = new QPushButton(QStringLiteral("&Go"), this);
    goButton->setObjectName(QStringLiteral("cmdGo"));
    goButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch();
    buttons->addWidget(goButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_date, &QPushButton::clicked, this, &RecordSelectionWindow::chooseDate);
    connect(m_pick, &QPushButton::clicked, this, &RecordSelectionWindow::pickEmployee);
    connect(goButton, &QPushButton::clicked, this, &RecordSelectionWindow::go);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RecordSelectionWindow::showEvent(QShowEvent* event)
{
    // The ID is typed only without an employee source; with one it comes from the list.
    const bool pick = m_session.hasEmployeeDatabase();
    m_pick->setVisible(pick);
    m_idLabel->setVisible(!pick);
    m_id->setVisible(!pick);
    QDialog::showEvent(event);
}

void RecordSelectionWindow::chooseDate()
{
    const std::optional<QDate> day = pickDate(m_services.time, this);
    if (!day)
        return;
    m_startDay = DayNumber::of(*day);
    showChosenDay(m_date, m_startDay);
    if (m_id->isVisible())
        m_id->setFocus();
}

void RecordSelectionWindow::pickEmployee()
{
    m_warning->clear();
    EmployeeListWindow list(m_services, m_session, EmployeeListing::Purpose::PickForRecords, this);
    if (list.exec() != QDialog::Accepted)
        return;
    m_pickedId = list.chosenId().value_or(QString());
    go();
}

void RecordSelectionWindow::go()
{
    const QString id = (m_session.hasEmployeeDatabase() ? m_pickedId : m_id->text()).trimmed();
    if (m_startDay < firstDate) {
        m_services.messages.beep();
        m_warning->setText(QStringLiteral("No date selected..."));
        return;
    }
    if (id.isEmpty()) {
        m_services.messages.beep();
        m_warning->setText(QStringLiteral("No employee selected..."));
        return;
    }
    m_warning->clear();
    RecordEditorWindow editor(m_services, m_session, id, m_startDay, this);
    editor.exec();
}
