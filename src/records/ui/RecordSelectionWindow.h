#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
struct Services;
class Session;

// Chooses whose clock records are edited and from which day on, then opens the record editor;
// stays open for the next employee until cancelled.
//
// Object names: cmdDate, cmdPickEmployee, lblEnterID, txtID, lblWarning, cmdGo, cmdCancel.
class RecordSelectionWindow : public QDialog {
    Q_OBJECT

public:
    explicit RecordSelectionWindow(const Services& services, Session& session, QWidget* parent = nullptr);

    qint32 startDay() const { return m_startDay; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chooseDate();
    void pickEmployee();
    void go();

    const Services& m_services;
    Session& m_session;
    qint32 m_startDay = 0;
    QString m_pickedId;
    QPushButton* m_date = nullptr;
    QPushButton* m_pick = nullptr;
    QLabel* m_idLabel = nullptr;
    QLineEdit* m_id = nullptr;
    QLabel* m_warning = nullptr;
};
