#pragma once

#include "platform/MonthGrid.h"

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;
class QPushButton;
struct ProgramState;

// The modal calendar that lets the user pick one day. It leaves the day number in the program
// state's picked day each time a day is selected; a cancel sets the call mode to "Cancel".
// Callers: exec(), then check callMode for "Cancel", then read pickedDay.
class DatePicker : public QDialog {
    Q_OBJECT

public:
    explicit DatePicker(ProgramState& state, QWidget* parent = nullptr);

    const MonthGrid& grid() const { return m_grid; }

    // Escape and the window's close button cancel as the cancel button does.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawMonth();
    void selectDay(int day);

    ProgramState& m_state;
    MonthGrid m_grid;
    QLabel* m_title = nullptr;
    QWidget* m_days = nullptr;
    QList<QPushButton*> m_dayButtons; // index 0 is day 1
    QFrame* m_selection = nullptr;
    QLabel* m_longDate = nullptr;
    QList<QLabel*> m_navigation;
};
