#pragma once

#include "staff/EmployeeListing.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;
struct Services;
class Session;

// The employee list: picks an employee whose clock records are edited, who is to be changed or who
// is deleted at once, as its opener asks.
//
// Object names: txtSearch, lstEmployees, cmdOK, cmdCancel.
class EmployeeListWindow : public QDialog {
    Q_OBJECT

public:
    EmployeeListWindow(const Services& services, Session& session, EmployeeListing::Purpose purpose,
                       QWidget* parent = nullptr);

    // Picking for records: the chosen employee's ID, whole however the list shows it.
    const std::optional<QString>& chosenId() const { return m_chosenId; }
    // Change: the chosen entry's index in the session's employee list.
    const std::optional<int>& chosenIndex() const { return m_chosenIndex; }

    // OK: what it does depends on the purpose.
    void choose();

Q_SIGNALS:
    // Change: the employee editor is to open on this entry of the employee list.
    void changeRequested(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void search(const QString& typed);
    void deleteChosen(const EmployeeListing::Entry& entry);

    const Services& m_services;
    Session& m_session;
    EmployeeListing::Purpose m_purpose;
    QList<EmployeeListing::Entry> m_entries;
    QLineEdit* m_search = nullptr;
    QListWidget* m_list = nullptr;
    std::optional<QString> m_chosenId;
    std::optional<int> m_chosenIndex;
};
