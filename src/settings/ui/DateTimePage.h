#pragma once

#include "settings/ui/OptionsPage.h"

#include <QDate>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class SystemClockSetter;
struct Services;
class Session;

// The "Date Time" page of the options dialog: sets the computer's date and time on its own button,
// and holds the frame of the record sequence audit below.
//
// Object names: cmdNewDate, txtNewTime, cmdSetDateTime.
class DateTimePage : public OptionsPage {
    Q_OBJECT

public:
    DateTimePage(const Services& services, Session& session, SystemClockSetter& clockSetter,
                 QWidget* parent = nullptr);
    void setAuditFrame(QWidget* frame);

private:
    void pickDate();
    void setDateAndTime();
    void showDate(const QDate& date);

    const Services& m_services;
    Session& m_session;
    SystemClockSetter& m_clockSetter;
    QVBoxLayout* m_layout = nullptr;
    QPushButton* m_date = nullptr;
    QLineEdit* m_time = nullptr;
    QDate m_chosen; // invalid: today
};
