#pragma once

#include "exceptions/PunchExceptions.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class Session;
struct Services;

// The "Exceptions" window: the punches of a period that need a decision, optionally of one kind,
// each opened in the record editor to fix it or marked resolved with a note.
//
// Object names: dteFrom, dteTo, cmdThisWeek, cmdLastWeek, cmdThisMonth, cmdLastMonth, cboKind,
// chkShowResolved, cmdRefresh, lstExceptions, lblCount, txtNote, cmdOpenRecord, cmdResolve, cmdClose.
class ExceptionsWindow : public QDialog {
    Q_OBJECT

public:
    ExceptionsWindow(const Services& services, Session& session, QWidget* parent = nullptr);

    // Opens the record editor on an employee from a day on with one record selected; the window
    // lists again once it is closed. Tests replace it.
    std::function<void(const QString& employeeId, qint32 startDay, qint64 recordNumber)> openRecordEditor;

    void setPeriod(const QDate& first, const QDate& last);
    // Reads the list afresh for the period, kind and "resolved too" shown.
    void refresh();
    const QList<PunchException>& listed() const { return m_listed; }
    // The selected line's exception; nothing when no line is selected.
    const PunchException* selected() const;
    void selectLine(int row);

    void openSelected();
    void resolveSelected();

private:
    void chooseQuick(ReportPeriod::Quick choice);
    void selectionChanged();

    const Services& m_services;
    Session& m_session;
    QList<PunchException> m_listed;
    QDateEdit* m_first = nullptr;
    QDateEdit* m_last = nullptr;
    QComboBox* m_kind = nullptr;
    QCheckBox* m_showResolved = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLineEdit* m_note = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_resolve = nullptr;
};
