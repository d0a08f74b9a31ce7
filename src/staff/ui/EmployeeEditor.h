#pragma once

#include <QDialog>

class HelpWindow;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ScheduleGridWidget;
struct Services;
class Session;

// The employee editor: adds an employee or changes one of the employee list, with the weekly
// schedule drawn on the week grid; a save rewrites the employee file and the clock's staff table.
//
// Object names: txtName, txtId, txtPay, cboDepartment, optActive, optInactive, gridWeek,
// cmdSave, cmdPrevious, cmdNext, cmdNewEmployee, cmdPayRates, cmdPin, cmdHelp, cmdClose; the help
// window hlpEmployee, the rates dialog dlgPayRates, the PIN dialog dlgPin.
// cmdSave, cmdPrevious, cmdNext, cmdNewEmployee, cmdPayRates, cmdPayroll, cmdHelp, cmdClose; the help window
// hlpEmployee, the rates dialog dlgPayRates.
class EmployeeEditor : public QDialog {
    Q_OBJECT

public:
    // index: the employee's index in the program's employee list ("Change"), or
    // EmployeeEditing::adding for a new employee ("Add").
    EmployeeEditor(const Services& services, Session& session, int index, QWidget* parent = nullptr);

    // Move: Previous or Next has been used since it opened or since New employee.
    enum class Mode { Add, Change, Move };

    Mode mode() const { return m_mode; }
    int index() const { return m_index; }
    bool hasChanges() const { return m_changed; }
    ScheduleGridWidget* grid() const { return m_grid; }

    // The buttons' actions, callable without a click.
    bool save();
    void showHelp();
    void previous();
    void next();
    void newEmployee();
    // Opens the saved employee's pay rates; OK stores what was changed there at once.
    void payRates();
    void badge();
    void pin();
    void payrollDetails();

public Q_SLOTS:
    void reject() override;

private:
    void buildWindow();
    void load();
    void step(int by);
    // Asks "Save the changes?"; false when the user cancels or a wanted save did not succeed.
    bool settleChanges();
    bool store(int* savedIndex);
    void markChanged() { m_changed = true; }

    const Services& m_services;
    Session& m_session;
    Mode m_mode = Mode::Add;
    int m_index = -1;
    bool m_changed = false;
    bool m_savedOnAsking = false;
    HelpWindow* m_help = nullptr;

    QLineEdit* m_name = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_pay = nullptr;
    QComboBox* m_department = nullptr;
    QRadioButton* m_active = nullptr;
    QRadioButton* m_inactive = nullptr;
    ScheduleGridWidget* m_grid = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_payRates = nullptr;
    QPushButton* m_badge = nullptr;
    QPushButton* m_pin = nullptr;
    QPushButton* m_payroll = nullptr;
};
