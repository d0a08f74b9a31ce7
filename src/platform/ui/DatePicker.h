#pragma once

#include "platform/MonthGrid.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;
class TimeSource;

// The modal calendar that lets the user pick one day; it opens on today's month with today selected.
class DatePicker : public QDialog {
    Q_OBJECT

public:
    explicit DatePicker(QDate today, QWidget* parent = nullptr);

    const MonthGrid& grid() const { return m_grid; }
    QDate selectedDate() const { return m_grid.date(m_grid.selectedDay()); }
    // The selected day once the picker was accepted; nothing while it is open or after a cancel.
    std::optional<QDate> chosenDate() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawMonth();
    void selectDay(int day);

    MonthGrid m_grid;
    QLabel* m_title = nullptr;
    QWidget* m_days = nullptr;
    QList<QPushButton*> m_dayButtons; // index 0 is day 1
    QFrame* m_selection = nullptr;
    QLabel* m_longDate = nullptr;
    QList<QLabel*> m_navigation;
};

// Shows the picker over parent and waits for it: the day chosen, or nothing when it was cancelled.
std::optional<QDate> pickDate(const TimeSource& time, QWidget* parent);
