#include "records/ui/OldRecordsWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/DatePicker.h"
#include "records/OldRecords.h"
#include "records/ui/DayChoice.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/PeriodStates.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OldRecordsWindow::OldRecordsWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("Delete old records"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Delete records prior to..."), this);
    label->setObjectName(QStringLiteral("lblPrior"));
    layout->addWidget(label);
    m_date = new QPushButton(QStringLiteral("Choose a date"), this);
    m_date->setObjectName(QStringLiteral("cmdDate"));
    m_date->setMinimumWidth(260);
    layout->addWidget(m_date);
    auto* buttons = new QHBoxLayout;
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    remove->setObjectName(QStringLiteral("Command2"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    buttons->addWidget(remove);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_date, &QPushButton::clicked, this, &OldRecordsWindow::chooseDate);
    connect(remove, &QPushButton::clicked, this, &OldRecordsWindow::removeRecords);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void OldRecordsWindow::chooseDate()
{
    const std::optional<QDate> day = pickDate(m_services.time, this);
    if (!day)
        return;
    m_chosenDay = DayNumber::of(*day);
    showChosenDay(m_date, m_chosenDay);
}

void OldRecordsWindow::removeRecords()
{
    if (m_chosenDay == 0)
        return;
    try {
        OldRecords::removeBefore(m_services, m_chosenDay);
    } catch (const LockedDayError& locked) {
        m_services.messages.inform(this, locked.message(), windowTitle(), MessageBoxes::Icon::Critical);
    } catch (const DatabaseError& error) {
        // Nothing was removed: the removal is one transaction.
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    accept();
}
