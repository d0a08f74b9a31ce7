#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct Services;
class Session;

// The department editor: adds, renames or deletes one department, as its opener asks.
//
// Object names: fraName (frame of the name box), txtName, lblSelect, lstDepartments, lblDelete,
// cmdSave, cmdExit.
class DepartmentWindow : public QDialog {
    Q_OBJECT

public:
    enum class Action { Add, Change, Delete };

    DepartmentWindow(const Services& services, Session& session, Action action, QWidget* parent = nullptr);

    // Chooses the list entry at this row, as a click does.
    void choose(int row);
    // False when nothing was saved and the window stays open.
    bool save();

private:
    const Services& m_services;
    Session& m_session;
    Action m_action;
    int m_selected = -1; // index in the department list

    QGroupBox* m_frame = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_select = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_delete = nullptr;
    QPushButton* m_save = nullptr;
};
