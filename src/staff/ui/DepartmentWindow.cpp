#include "staff/ui/DepartmentWindow.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/DepartmentEditing.h"
#include "staff/StaffSaving.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

DepartmentWindow::DepartmentWindow(const Services& services, Session& session, Action action, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_action(action)
{
    setWindowTitle(QStringLiteral("Department"));
    setModal(true);
    m_session.setDepartments(StaffFiles::loadDepartments(StaffFiles::departmentFile(m_session.paths())));

    m_select = new QLabel;
    m_select->setObjectName(QStringLiteral("lblSelect"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lstDepartments"));
    for (int i = 0; i < m_session.departments().count(); ++i) {
        auto* item = new QListWidgetItem(m_session.departments().entries[i].name, m_list);
        item->setData(Qt::UserRole, i);
    }
    // Only a selection chooses: the list making its first line current on getting the focus does not.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = m_list->selectedItems();
        if (!chosen.isEmpty())
            choose(m_list->row(chosen.first()));
    });

    m_frame = new QGroupBox(QStringLiteral("Add new Department name  "));
    m_frame->setObjectName(QStringLiteral("fraName"));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("txtName"));
    // A double quote never gets into the box, typed or pasted.
    m_name->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), m_name));
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(new QLabel(QStringLiteral("Name of Department")));
    frameLayout->addWidget(m_name);

    m_delete = new QLabel;
    m_delete->setObjectName(QStringLiteral("lblDelete"));

    m_save = new QPushButton(QStringLiteral("&Save"));
    m_save->setObjectName(QStringLiteral("cmdSave"));
    m_save->setDefault(true);
    auto* exitButton = new QPushButton(QStringLiteral("E&xit"));
    exitButton->setObjectName(QStringLiteral("cmdExit"));
    exitButton->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &DepartmentWindow::save);
    connect(exitButton, &QPushButton::clicked, this, &DepartmentWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_select);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_frame);
    layout->addWidget(m_delete);
    layout->addLayout(buttons);

    const bool adding = m_action == Action::Add;
    m_select->setVisible(!adding);
    m_list->setVisible(!adding);
    m_frame->setVisible(adding);
    m_delete->setVisible(false);
    m_save->setEnabled(adding);
    if (m_action == Action::Change)
        m_select->setText(QStringLiteral("Select the Department to change"));
    else if (m_action == Action::Delete)
        m_select->setText(QStringLiteral("Select the Department to delete"));
    if (adding)
        m_name->setFocus();
    resize(380, adding ? 160 : 360);
}

void DepartmentWindow::choose(int row)
{
    QListWidgetItem* item = m_list->item(row);
    if (!item)
        return;
    if (!item->isSelected())
        m_list->setCurrentRow(row);
    m_selected = item->data(Qt::UserRole).toInt();
    const QString name = m_session.departments().entries.at(m_selected).name;
    if (m_action == Action::Change) {
        m_frame->setTitle(QStringLiteral("Change the Department name and Save"));
        m_frame->setVisible(true);
        m_name->setText(name);
    } else if (m_action == Action::Delete) {
        m_delete->setText(QStringLiteral("Department to be deleted ") + name);
        m_delete->setVisible(true);
    }
    m_save->setEnabled(true);
}

bool DepartmentWindow::save()
{
    DepartmentEditing::Result result;
    if (m_action == Action::Add) {
        result = DepartmentEditing::add(m_session.departments(), m_name->text());
    } else if (m_selected < 0) {
        m_services.messages.beep();
        return false;
    } else if (m_action == Action::Change) {
        result = DepartmentEditing::rename(m_session.departments(), m_selected, m_name->text());
    } else {
        const Department& d = m_session.departments().entries.at(m_selected);
        // Their clock records and reports keep the number, which then names no department.
        const int members = DepartmentEditing::employeesIn(m_session.employees(), d.number);
        if (members > 0) {
            const QString question =
                QStringLiteral(
                    "%1 %2 still in department %3.\nThey keep its number, which then belongs to no "
                    "department.\n\nDelete the department?")
                    .arg(members)
                    .arg(members == 1 ? QStringLiteral("employee is") : QStringLiteral("employees are"),
                         d.name);
            m_services.messages.beep();
            if (m_services.messages.askYesNo(this, question, QStringLiteral("Department delete"),
                                             MessageBoxes::Icon::Question) != MessageBoxes::Answer::Yes)
                return false;
        }
        result = DepartmentEditing::remove(m_session.departments(), m_selected);
    }

    switch (result.outcome) {
    case DepartmentEditing::Outcome::EmptyName:
        m_services.messages.beep();
        return false;
    case DepartmentEditing::Outcome::Unstorable:
    case DepartmentEditing::Outcome::Duplicate:
    case DepartmentEditing::Outcome::NoNumberLeft:
        m_services.messages.beep();
        m_services.messages.inform(this, result.message, result.title, MessageBoxes::Icon::Warning);
        m_name->setFocus();
        return false;
    case DepartmentEditing::Outcome::Done:
        break;
    }
    const StaffSaving::Outcome outcome =
        StaffSaving::save(m_services, m_session, std::nullopt, result.toWrite);
    if (outcome.status == StaffSaving::Status::FilesNotWritten) {
        m_services.messages.inform(this, outcome.message, QStringLiteral("Department"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    if (outcome.status == StaffSaving::Status::TableNotRebuilt)
        m_services.messages.inform(this, outcome.message, QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    QDialog::accept();
    return true;
}
