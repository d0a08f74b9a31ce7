#pragma once

#include "store/PayRateTable.h"

#include <QDialog>
#include <optional>

class MessageBoxes;
class QDateEdit;
class QLineEdit;
class QTableWidget;

// One employee's pay rates by date: a list to add to, change and remove from; OK hands the whole
// list back and the caller stores the differences.
//
// Object names: tblRates, dteFrom, txtRate, cmdSetRate, cmdRemoveRate, lblStoredPay, cmdOk, cmdCancel.
class PayRatesDialog : public QDialog {
    Q_OBJECT

public:
    struct Input {
        QString employeeName;
        QString employeeId;
        Money storedPay;
        QList<PayRateRow> rates;
        QDate today;
    };
    PayRatesDialog(const Input& input, MessageBoxes& messages, QWidget* parent = nullptr);

    // The list as it stands in the dialog.
    const QList<PayRateRow>& rates() const { return m_rates; }
    // The list once OK was pressed; nothing while open or after Cancel.
    std::optional<QList<PayRateRow>> chosenRates() const;

    // The buttons' actions, callable without a click.
    bool setRate();
    void removeRate();

private:
    void showRates();

    MessageBoxes& m_messages;
    QString m_employeeId;
    QList<PayRateRow> m_rates;
    QTableWidget* m_table = nullptr;
    QDateEdit* m_from = nullptr;
    QLineEdit* m_rate = nullptr;
};
