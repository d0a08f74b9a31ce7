#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct Services;

// One employee's PIN as the manager sees it: whether there is one, the wrong tries and a lock, with
// Clear PIN and Unlock, each stored at once with its history entry.
//
// Object names: lblPinState, cmdClearPin, cmdUnlockPin, cmdClose.
class PinDialog : public QDialog {
    Q_OBJECT

public:
    PinDialog(const Services& services, const QString& employeeId, const QString& employeeName,
              QWidget* parent = nullptr);

private:
    void refresh();
    void clearPin();
    void unlock();

    const Services& m_services;
    const QString m_id;
    QLabel* m_state = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_unlock = nullptr;
};
