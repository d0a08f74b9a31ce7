#include "staff/ui/EmployeeEditor.h"

#include "platform/HelpTopics.h"
#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/PlainButton.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/EmployeeEditing.h"
#include "staff/StaffSaving.h"
#include "staff/ui/BadgeDialog.h"
#include "staff/ui/PayRatesDialog.h"
#include "staff/ui/PinDialog.h"
#include "staff/ui/PayrollDetailsDialog.h"
#include "staff/ui/ScheduleGridWidget.h"
#include "store/BadgeTable.h"
#include "store/DatabaseError.h"
#include "store/PayRateTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

EmployeeEditor::EmployeeEditor(const Services& services, Session& session, int index, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    const bool valid = index >= 0 && index < session.employees().count();
    m_index = valid ? index : EmployeeEditing::adding;
    m_mode = valid ? Mode::Change : Mode::Add;
    setModal(true);
    buildWindow();
    load();
    resize(960, 520);
}

void EmployeeEditor::buildWindow()
{
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("txtName"));
    m_id = new QLineEdit;
    m_id->setObjectName(QStringLiteral("txtId"));
    m_pay = new QLineEdit;
    m_pay->setObjectName(QStringLiteral("txtPay"));
    m_department = new QComboBox;
    m_department->setObjectName(QStringLiteral("cboDepartment"));
    for (QLineEdit* box : {m_name, m_id, m_pay})
        connect(box, &QLineEdit::textEdited, this, &EmployeeEditor::markChanged);
    // Not a trigger of the old question, but a department changed and lost unasked is worse.
    connect(m_department, &QComboBox::activated, this, &EmployeeEditor::markChanged);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Employee name"), m_name);
    fields->addRow(QStringLiteral("I.D."), m_id);
    fields->addRow(QStringLiteral("Pay "), m_pay);
    fields->addRow(QStringLiteral("Department"), m_department);

    auto* status = new QGroupBox(QStringLiteral("Status"));
    m_active = new QRadioButton(QStringLiteral("Active"));
    m_active->setObjectName(QStringLiteral("optActive"));
    m_inactive = new QRadioButton(QStringLiteral("Inactive"));
    m_inactive->setObjectName(QStringLiteral("optInactive"));
    auto* statusLayout = new QVBoxLayout(status);
    statusLayout->addWidget(m_active);
    statusLayout->addWidget(m_inactive);
    statusLayout->addStretch();
    for (QRadioButton* option : {m_active, m_inactive})
        connect(option, &QRadioButton::clicked, this, &EmployeeEditor::markChanged);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 3);
    top->addWidget(status, 1);
    top->addStretch(1);

    m_grid = new ScheduleGridWidget(m_services.messages);
    m_grid->setTwelveHour(m_session.settings().clock12Hour);
    connect(m_grid, &ScheduleGridWidget::changed, this, &EmployeeEditor::markChanged);
    auto* hint = new QLabel(
        QStringLiteral("Use the mouse to enter the employee's start and stop times for each day."));
    hint->setObjectName(QStringLiteral("lblGridHint"));
    auto* hint2 =
        new QLabel(QStringLiteral("Or type the times beside the day. Right-click a day to cut, copy or "
                                  "paste it; Delete empties the selected day."));
    hint2->setObjectName(QStringLiteral("lblGridHint2"));
    hint2->setEnabled(false);

    QPushButton* saveButton = plainButton(QStringLiteral("&Save"), "cmdSave");
    m_previous = plainButton(QStringLiteral("&Previous"), "cmdPrevious");
    m_next = plainButton(QStringLiteral("&Next"), "cmdNext");
    QPushButton* newButton = plainButton(QStringLiteral("New &employee"), "cmdNewEmployee");
    m_payRates = plainButton(QStringLiteral("Pay &rates..."), "cmdPayRates");
    m_badge = plainButton(QStringLiteral("&Badge..."), "cmdBadge");
    m_pin = plainButton(QStringLiteral("P&IN..."), "cmdPin");
    m_payroll = plainButton(QStringLiteral("Pa&yroll..."), "cmdPayroll");
    QPushButton* helpButton = plainButton(QStringLiteral("&Help"), "cmdHelp");
    QPushButton* closeButton = plainButton(QStringLiteral("&Close"), "cmdClose");
    connect(saveButton, &QPushButton::clicked, this, &EmployeeEditor::save);
    connect(m_previous, &QPushButton::clicked, this, &EmployeeEditor::previous);
    connect(m_next, &QPushButton::clicked, this, &EmployeeEditor::next);
    connect(newButton, &QPushButton::clicked, this, &EmployeeEditor::newEmployee);
    connect(m_payRates, &QPushButton::clicked, this, &EmployeeEditor::payRates);
    connect(m_badge, &QPushButton::clicked, this, &EmployeeEditor::badge);
    connect(m_pin, &QPushButton::clicked, this, &EmployeeEditor::pin);
    connect(m_payroll, &QPushButton::clicked, this, &EmployeeEditor::payrollDetails);
    connect(helpButton, &QPushButton::clicked, this, &EmployeeEditor::showHelp);
    connect(closeButton, &QPushButton::clicked, this, &EmployeeEditor::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addWidget(newButton);
    buttons->addWidget(m_payRates);
    buttons->addWidget(m_badge);
    buttons->addWidget(m_pin);
    buttons->addWidget(m_payroll);
    buttons->addStretch();
    buttons->addWidget(helpButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(hint);
    layout->addWidget(m_grid, 1);
    layout->addWidget(hint2);
    layout->addLayout(buttons);
}

void EmployeeEditor::load()
{
    setWindowTitle(m_mode == Mode::Add ? QStringLiteral("Add new Employee")
                                       : QStringLiteral("Change employee record"));
    m_department->clear();
    for (const Department& d : m_session.departments().entries) {
        if (!d.name.trimmed().isEmpty())
            m_department->addItem(d.name, d.number);
    }
    if (m_mode == Mode::Add) {
        m_name->clear();
        m_id->clear();
        m_pay->clear();
        m_department->setCurrentIndex(m_department->count() > 0 ? 0 : -1);
        m_active->setChecked(true);
        m_grid->setSchedule(WeeklySchedule());
    } else {
        const Employee& e = m_session.employees().entries.at(m_index);
        m_name->setText(e.name);
        m_id->setText(e.employeeId);
        m_pay->setText(EmployeeEditing::payText(e.pay));
        m_department->setCurrentIndex(m_department->findData(e.departmentNumber));
        (e.active ? m_active : m_inactive)->setChecked(true);
        m_grid->setSchedule(e.schedule);
    }
    const int count = static_cast<int>(m_session.employees().count());
    const bool browsing = m_mode != Mode::Add && count > 1;
    m_previous->setEnabled(browsing && m_index > 0);
    m_next->setEnabled(browsing && m_index < count - 1);
    // Rates belong to a saved ID.
    m_payRates->setEnabled(m_mode != Mode::Add);
    m_badge->setEnabled(m_mode != Mode::Add);
    m_pin->setEnabled(m_mode != Mode::Add);
    m_payroll->setEnabled(m_mode != Mode::Add);
    m_changed = false;
}

void EmployeeEditor::payRates()
{
    if (m_mode == Mode::Add || m_index < 0 || m_index >= m_session.employees().count())
        return;
    const Employee& e = m_session.employees().entries.at(m_index);
    PayRatesDialog::Input input{e.name, e.employeeId, e.pay, {}, m_services.time.now().date()};
    const auto failed = [this](const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Pay rates"),
                                   MessageBoxes::Icon::Critical);
    };
    try {
        input.rates = PayRateTable(m_services.database).forEmployee(e.employeeId);
    } catch (const DatabaseError& error) {
        failed(error);
        return;
    }
    auto* dialog = new PayRatesDialog(input, m_services.messages, this);
    dialog->setObjectName(QStringLiteral("dlgPayRates"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog, failed, id = e.employeeId] {
        const auto chosen = dialog->chosenRates();
        if (!chosen)
            return;
        try {
            PayRateTable(m_services.database)
                .replace(id, *chosen, {m_services.time.now(), EditHistory::workstationUser()});
        } catch (const DatabaseError& error) {
            failed(error);
        }
    });
    dialog->open();
}

void EmployeeEditor::badge()
{
    if (m_mode == Mode::Add || m_index < 0 || m_index >= m_session.employees().count())
        return;
    const Employee& e = m_session.employees().entries.at(m_index);
    BadgeDialog::Input input{e.name, e.employeeId, std::nullopt, m_session.settings().readerHex};
    try {
        input.badge = BadgeTable(m_services.database).badgeOf(e.employeeId);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Badge"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    const auto store = [this, id = e.employeeId](const std::optional<QString>& badge) -> QString {
        try {
            BadgeTable table(m_services.database);
            const EditStamp stamp{m_services.time.now(), EditHistory::workstationUser()};
            if (!badge) {
                table.remove(id, stamp);
                return {};
            }
            if (const auto taken = table.assign(id, *badge, stamp))
                return QStringLiteral("Card %1 belongs to ID %2. Remove it there first.")
                    .arg(*badge, taken->employeeId);
            return {};
        } catch (const DatabaseError& error) {
            return error.userMessage();
        }
    };
    auto* dialog = new BadgeDialog(input, m_services.time, m_services.messages, store, this);
    dialog->setObjectName(QStringLiteral("dlgBadge"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void EmployeeEditor::pin()
{
    if (m_mode == Mode::Add || m_index < 0 || m_index >= m_session.employees().count())
        return;
    const Employee& e = m_session.employees().entries.at(m_index);
    auto* dialog = new PinDialog(m_services, e.employeeId, e.name, this);
    dialog->setObjectName(QStringLiteral("dlgPin"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void EmployeeEditor::payrollDetails()
{
    if (m_mode == Mode::Add || m_index < 0 || m_index >= m_session.employees().count())
        return;
    const Employee& e = m_session.employees().entries.at(m_index);
    const auto failed = [this](const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Payroll details"),
                                   MessageBoxes::Icon::Critical);
    };
    PayrollDetailsDialog::Input input{e.name, e.employeeId, {}};
    try {
        input.stored = EmployeePayrollTable(m_services.database).find(e.employeeId);
    } catch (const DatabaseError& error) {
        failed(error);
        return;
    }
    auto* dialog = new PayrollDetailsDialog(input, m_services.messages, this);
    dialog->setObjectName(QStringLiteral("dlgPayroll"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog, failed] {
        const std::optional<EmployeePayroll> chosen = dialog->chosen();
        if (!chosen)
            return;
        try {
            EmployeePayrollTable(m_services.database)
                .set(*chosen, {m_services.time.now(), EditHistory::workstationUser()});
        } catch (const DatabaseError& error) {
            failed(error);
        }
    });
    dialog->open();
}

bool EmployeeEditor::store(int* savedIndex)
{
    if (!m_grid->applyTypedFields())
        return false;
    for (QLineEdit* box : {m_name, m_id, m_pay})
        box->setText(EmployeeEditing::cleaned(box->text()));
    const int edited = m_mode == Mode::Add ? EmployeeEditing::adding : m_index;
    if (const auto problem =
            EmployeeEditing::check(m_session.employees(), m_name->text(), m_id->text(), edited)) {
        m_services.messages.beep();
        m_services.messages.inform(this, problem->text, problem->title, MessageBoxes::Icon::Warning);
        (problem->field == EmployeeEditing::Field::Name ? m_name : m_id)->setFocus();
        return false;
    }

    QList<Employee> employees = m_session.employees().entries;
    Employee e;
    if (edited == EmployeeEditing::adding) {
        e.employeeNumber = m_session.employees().nextNumber();
        if (e.employeeNumber == 0) {
            m_services.messages.inform(this, QStringLiteral("Every employee number is in use."),
                                       QStringLiteral("Employee"), MessageBoxes::Icon::Warning);
            return false;
        }
    } else {
        e = employees.at(edited);
    }
    e.name = m_name->text();
    e.employeeId = m_id->text();
    if (m_department->currentIndex() >= 0)
        e.departmentNumber = static_cast<qint16>(m_department->currentData().toInt());
    e.pay = EmployeeEditing::payOf(m_pay->text());
    e.active = m_active->isChecked();
    e.schedule = m_grid->schedule();
    if (edited == EmployeeEditing::adding)
        employees.append(e);
    else
        employees[edited] = e;

    const StaffSaving::Outcome outcome =
        StaffSaving::save(m_services, m_session, EmployeeEditing::sortedByName(employees), std::nullopt);
    if (outcome.status == StaffSaving::Status::FilesNotWritten) {
        m_services.messages.inform(this, outcome.message, QStringLiteral("Employee"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    if (outcome.status == StaffSaving::Status::TableNotRebuilt)
        m_services.messages.inform(this, outcome.message, QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    m_changed = false;
    *savedIndex = 0;
    for (int i = 0; i < m_session.employees().count(); ++i) {
        if (m_session.employees().entries[i].employeeNumber == e.employeeNumber)
            *savedIndex = i;
    }
    return true;
}

bool EmployeeEditor::save()
{
    int saved = 0;
    if (!store(&saved))
        return false;
    QDialog::accept();
    return true;
}

// A window of the editor's own: the modal editor would block a help window of the opening window.
void EmployeeEditor::showHelp()
{
    if (!m_help) {
        m_help = new HelpWindow(this);
        m_help->setObjectName(QStringLiteral("hlpEmployee"));
        m_help->setWindowFlag(Qt::Window);
        m_help->resize(760, 560);
    }
    m_help->showTopic(HelpTopics::employeeEditor);
    m_help->show();
    m_help->raise();
}

bool EmployeeEditor::settleChanges()
{
    if (!m_changed)
        return true;
    m_services.messages.beep();
    const MessageBoxes::Answer answer =
        m_services.messages.askYesNoCancel(this, QStringLiteral("Save the changes?"),
                                           QStringLiteral("You made changes"), MessageBoxes::Icon::Question);
    if (answer == MessageBoxes::Answer::Cancel)
        return false;
    if (answer == MessageBoxes::Answer::Yes) {
        int saved = 0;
        if (!store(&saved))
            return false;
        m_savedOnAsking = true;
        // The file is sorted anew, so the employee just saved may stand elsewhere now.
        if (m_mode != Mode::Add)
            m_index = saved;
    }
    m_changed = false;
    return true;
}

void EmployeeEditor::step(int by)
{
    m_mode = Mode::Move;
    if (!settleChanges())
        return;
    m_index = qBound(0, m_index + by, static_cast<int>(m_session.employees().count()) - 1);
    load();
}

void EmployeeEditor::previous()
{
    step(-1);
}

void EmployeeEditor::next()
{
    step(1);
}

void EmployeeEditor::newEmployee()
{
    if (m_mode != Mode::Add && !settleChanges())
        return;
    m_mode = Mode::Add;
    m_index = EmployeeEditing::adding;
    load();
    m_name->setFocus();
}

void EmployeeEditor::reject()
{
    m_savedOnAsking = false;
    if (!settleChanges())
        return;
    if (m_savedOnAsking) {
        QDialog::accept();
        return;
    }
    QDialog::reject();
}
