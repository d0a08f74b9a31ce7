#pragma once

#include <QDialog>

class QPushButton;
struct Services;
class Session;

// Removes every clock record of the days before a chosen date, at once and without asking.
//
// Object names: lblPrior, cmdDate, Command2 (delete), Command1 (close).
class OldRecordsWindow : public QDialog {
    Q_OBJECT

public:
    explicit OldRecordsWindow(const Services& services, Session& session, QWidget* parent = nullptr);

    qint32 chosenDay() const { return m_chosenDay; }
    void removeRecords();

private:
    void chooseDate();

    const Services& m_services;
    Session& m_session;
    qint32 m_chosenDay = 0; // 0: no date chosen yet
    QPushButton* m_date = nullptr;
};
