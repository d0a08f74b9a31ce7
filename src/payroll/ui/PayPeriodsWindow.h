#pragma once

#include "payroll/PeriodReview.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTreeWidget;

// The "Pay periods" window: the periods with their states, the chosen one's pay per employee with
// its open exceptions and an Approve box each, and the buttons that approve, lock, reopen and
// export it. What they do is PeriodReview's; the window shows it and forwards.
//
// Object names: lstPeriods, grdEmployees, lblState, lblWarning, cmdApproveAll, cmdLock, cmdReopen,
// cmdExport, cmdClose.
class PayPeriodsWindow : public QDialog {
    Q_OBJECT

public:
    PayPeriodsWindow(const Services& services, Session& session, PeriodReview::ExceptionCounts exceptions,
                     QWidget* parent = nullptr);

    // The dialogs the window asks through; tests answer them without a screen. An empty answer
    // (nothing for the reason) is a cancel.
    std::function<std::optional<QString>()> askReason;
    std::function<QString()> chooseProfile; // a preset name or a profile file
    std::function<QString(const QString& caption, const QString& suggested)> saveFileName;

    PeriodReview& review() { return m_review; }
    // Chooses the listed period starting on the day; false when none is listed.
    bool choosePeriod(const QDate& first);

    // The buttons' actions, callable without a click.
    void approveAll();
    void lock();
    void reopen();
    void exportPeriod();

    // The table's columns.
    enum Column { Approved, Name, Id, Regular, Overtime, Double, Gross, Tips, Exceptions, ColumnCount };

private:
    void showPeriods();
    void showChosen();
    void rowChecked(QTableWidgetItem* item);

    PeriodReview m_review;
    QTreeWidget* m_periods = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_warning = nullptr;
    QPushButton* m_approveAll = nullptr;
    QPushButton* m_lock = nullptr;
    QPushButton* m_reopen = nullptr;
    QPushButton* m_export = nullptr;
    bool m_filling = false;
};
