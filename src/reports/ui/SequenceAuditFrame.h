#pragma once

#include "reports/SequenceAudit.h"

#include <QGroupBox>

class QListWidget;
class QPushButton;
struct Services;
class Session;

// The frame "Date/Time and record sequence audit  " of the options dialog: choose the period with
// the date picker and list the records whose time goes back against the order of appending. The
// period belongs to the opener, so it stays chosen when the frame is opened again.
//
// Object names: cmdFirstDay, cmdLastDay, cmdAudit, lstAudit.
class SequenceAuditFrame : public QGroupBox {
    Q_OBJECT

public:
    SequenceAuditFrame(const Services& services, const Session& session, SequenceAudit::Period& period,
                       QWidget* parent = nullptr);
    void audit();

private:
    void pickDay(bool first);
    void showDays();

    const Services& m_services;
    const Session& m_session;
    SequenceAudit::Period& m_period;
    QPushButton* m_first = nullptr;
    QPushButton* m_last = nullptr;
    QPushButton* m_audit = nullptr;
    QListWidget* m_list = nullptr;
};
