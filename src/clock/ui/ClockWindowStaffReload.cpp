// The clock screen's reload of the day's staff and schedules from the scheduling database.
#include "clock/StationLink.h"
#include "clock/ui/ClockWindow.h"
#include "clock/ui/PunchPanel.h"
#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/SchedulingLink.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

void ClockWindow::readStaff(QDate today)
{
    if (!m_loadingPanel) {
        m_loadingPanel = new QLabel(this);
        m_loadingPanel->setObjectName(QStringLiteral("pnlLoading"));
        m_loadingPanel->setAlignment(Qt::AlignCenter);
        m_loadingPanel->setStyleSheet(QStringLiteral(
            "background: rgb(255,255,192); color: black; border: 2px solid rgb(0,96,0); font-size: 16pt;"));
    }
    m_loadingPanel->setText(QStringLiteral("Loading Employees and schedules\nfor: ") +
                            QLocale().toString(today, QLocale::LongFormat));
    m_loadingPanel->setGeometry(m_time->geometry().united(m_date->geometry()));
    m_loadingPanel->show();
    m_loadingPanel->raise();
    startStaffRead(today);
}

void ClockWindow::startStaffRead(QDate today)
{
    const auto finished = [this] {
        m_cycle.staffRead();
        m_loadingPanel->hide();
        if (isVisible() && m_idBox->isVisible() && m_panel->isHidden())
            m_idBox->setFocus();
    };
    SchedulingLink::readInBackground(
        SchedulingLink::fileIn(m_session.paths()), today, this,
        [this, today, finished](const SchedulingLink::Outcome& outcome) {
            if (outcome.error) {
                switch (SchedulingLink::reportFailure(*outcome.error, m_services.messages, this)) {
                case SchedulingLink::Reaction::TryAgain:
                    startStaffRead(today);
                    return;
                case SchedulingLink::Reaction::EndProgram:
                    finished();
                    Q_EMIT endRequested();
                    return;
                case SchedulingLink::Reaction::GoOn:
                    break;
                }
            } else if (outcome.snapshot) {
                try {
                    SchedulingLink::store(m_services.database, *outcome.snapshot);
                    m_session.setScheduledStaff(outcome.snapshot->departments,
                                                outcome.snapshot->blankEmployeeId);
                    if (m_link)
                        m_link->refreshCache(); // the new day's staff, for a time without the server
                } catch (const DatabaseError& error) {
                    if (absorbedByLink(error))
                        m_cycle.staffReadMissed(today);
                    else
                        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                                   MessageBoxes::Icon::Critical);
                }
            }
            finished();
        });
}
