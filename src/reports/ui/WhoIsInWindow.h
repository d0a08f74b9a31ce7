#pragma once

#include "clock/LateArrivals.h"
#include "reports/WhoIsIn.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
struct Services;
class Session;

// "Who is in and who is out": the employees clocked in and clocked out, by each one's latest
// record of the chosen number of days.
//
// Beside them, the employees expected by their schedule for today who have not clocked in.
//
// Object names: lblIN, lstIN, lblOUT, lstOUT, lblExpected, lstExpected, cmbDays, cmdRefresh, cmdCANCEL.
class WhoIsInWindow : public QDialog {
    Q_OBJECT

public:
    explicit WhoIsInWindow(const Services& services, Session& session, QWidget* parent = nullptr);

    // Fills both lists from the database; they keep what they show when there is nothing to show.
    void LoadINOUTform();
    qint16 days() const { return m_days; }

private:
    void chooseDays(int index);
    void fill(QListWidget* list, QLabel* label, const QString& caption, const QList<WhoIsIn::Entry>& entries);
    QString nameColumn(const QListWidget* list, const QString& name) const;

    const Services& m_services;
    Session& m_session;
    qint16 m_days = 0;
    QLabel* m_inLabel = nullptr;
    QLabel* m_outLabel = nullptr;
    QListWidget* m_in = nullptr;
    QListWidget* m_out = nullptr;
    QLabel* m_expectedLabel = nullptr;
    QListWidget* m_expected = nullptr;
    QComboBox* m_daysBox = nullptr;
};
