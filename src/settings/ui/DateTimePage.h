#pragma once

#include "settings/ui/OptionsPage.h"

#include <QDate>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class SystemClockSetter;
struct ProgramState;

// The "Date Time" page of the options dialog: sets the computer's date and time on its own button,
// and holds the frame of the record sequence audit below.
//
// Object names: cmdNewDate, txtNewTime, cmdSetDateTime.
class DateTimePage : public OptionsPage {
    Q_OBJECT

public:
    DateTimePage(ProgramState& state, SystemClockSetter& clockSetter, QWidget* parent = nullptr);
    void setAuditFrame(QWidget* frame);

private:
    void pickDate();
    void setDateAndTime();
    void showDate(const QDate& date);

    ProgramState& m_state;
    SystemClockSetter& m_clockSetter;
    QVBoxLayout* m_layout = nullptr;
    QPushButton* m_date = nullptr;
    QLineEdit* m_time = nullptr;
    QDate m_chosen; // invalid: today
};
