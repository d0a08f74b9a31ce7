#pragma once

#include "store/EmployeePayrollTable.h"

#include <QDialog>
#include <optional>

class MessageBoxes;
class QLineEdit;

// What the payroll service knows one employee by: the payroll number and first and last names,
// each shown with what an empty box stands for. OK hands the values back once they can be kept.
//
// Object names: txtPayrollNumber, txtFirstName, txtLastName, lblPayrollNote, cmdOk, cmdCancel.
class PayrollDetailsDialog : public QDialog {
    Q_OBJECT

public:
    struct Input {
        QString employeeName;
        QString employeeId;
        EmployeePayroll stored;
    };
    PayrollDetailsDialog(const Input& input, MessageBoxes& messages, QWidget* parent = nullptr);

    // The values once OK was pressed; nothing while open or after Cancel.
    std::optional<EmployeePayroll> chosen() const;
    // OK's action: refuses values that cannot be kept, naming the field.
    void accept() override;

private:
    EmployeePayroll typed() const;

    MessageBoxes& m_messages;
    QString m_employeeId;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_first = nullptr;
    QLineEdit* m_last = nullptr;
};
