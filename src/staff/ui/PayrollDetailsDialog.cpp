#include "staff/ui/PayrollDetailsDialog.h"

#include "platform/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PayrollDetailsDialog::PayrollDetailsDialog(const Input& input, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_employeeId(input.employeeId)
{
    setModal(true);
    setWindowTitle(QStringLiteral("Payroll details of %1").arg(input.employeeName.trimmed()));
    const auto [first, last] = EmployeePayroll::firstAndLastOf(input.employeeName);
    const auto box = [this](const char* name, const QString& value, const QString& empty) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QLatin1String(name));
        edit->setPlaceholderText(empty);
        edit->setClearButtonEnabled(true);
        return edit;
    };
    m_number = box("txtPayrollNumber", input.stored.payrollNumber, input.employeeId.trimmed());
    m_first = box("txtFirstName", input.stored.firstName, first);
    m_last = box("txtLastName", input.stored.lastName, last);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Payroll &number"), m_number);
    form->addRow(QStringLiteral("&First name"), m_first);
    form->addRow(QStringLiteral("&Last name"), m_last);

    auto* note = new QLabel(
        QStringLiteral("The payroll service's files name the employee this way. An empty box takes what it "
                       "shows in grey: the employee ID, and the name split at its last blank."),
        this);
    note->setObjectName(QStringLiteral("lblPayrollNote"));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PayrollDetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

EmployeePayroll PayrollDetailsDialog::typed() const
{
    return {m_employeeId, m_number->text().trimmed(), m_first->text().trimmed(), m_last->text().trimmed()};
}

void PayrollDetailsDialog::accept()
{
    const QString problem = EmployeePayrollTable::problemOf(typed());
    if (!problem.isEmpty()) {
        m_messages.beep();
        m_messages.inform(this, problem + QLatin1Char('.'), QStringLiteral("Payroll details"),
                          MessageBoxes::Icon::Warning);
        return;
    }
    QDialog::accept();
}

std::optional<EmployeePayroll> PayrollDetailsDialog::chosen() const
{
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return typed();
}
