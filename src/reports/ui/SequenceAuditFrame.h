#pragma once

#include <QGroupBox>

class QListWidget;
class QPushButton;
struct ProgramState;

// The frame "Date/Time and record sequence audit  " of the options dialog: choose the period with
// the date picker and list the records whose time goes back against the order of appending.
//
// Object names: cmdFirstDay, cmdLastDay, cmdAudit, lstAudit.
class SequenceAuditFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit SequenceAuditFrame(ProgramState& state, QWidget* parent = nullptr);
    void audit();

private:
    void pickDay(bool first);
    void showDays();

    ProgramState& m_state;
    QPushButton* m_first = nullptr;
    QPushButton* m_last = nullptr;
    QPushButton* m_audit = nullptr;
    QListWidget* m_list = nullptr;
};
