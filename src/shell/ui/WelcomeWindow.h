#pragma once

#include <QDialog>
#include <functional>

class QRadioButton;
class QPushButton;
struct Services;
class Session;

// The first start of a new clock database: what the program does, where the employees come from
// (written as the options dialog would, in effect at once) and where to begin.
//
// Object names: lblWelcome, optNoEmployees, optLocalStaff, optScheduling, cmdAddEmployee,
// cmdShowClock, cmdClose.
class WelcomeWindow : public QDialog {
    Q_OBJECT

public:
    enum class Next { Nothing, AddEmployee, ShowClock };

    // chooseFile asks for the scheduling database's RTM.MDB; an empty answer keeps the choice.
    WelcomeWindow(const Services& services, Session& session, std::function<QString()> chooseFile,
                  QWidget* parent = nullptr);

    Next next() const { return m_next; }
    void reject() override;

private:
    void finish(Next next);
    void updateButtons();

    const Services& m_services;
    Session& m_session;
    std::function<QString()> m_chooseFile;
    QRadioButton* m_none = nullptr;
    QRadioButton* m_local = nullptr;
    QRadioButton* m_scheduling = nullptr;
    QPushButton* m_addEmployee = nullptr;
    Next m_next = Next::Nothing;
};
