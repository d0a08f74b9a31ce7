#pragma once

#include "settings/ui/OptionsPage.h"

class QGroupBox;

// The "Work hours" page of the options dialog: the messages and refusals of clock ins and outs
// away from the schedule, which only an employee database can give, and what the exceptions list
// counts as a long shift and a repeated punch.
//
// Object names: check boxes chkEarlyInShow, chkEarlyInReject, chkLateOutShow, chkLateOutReject,
// chkLateInShow, chkLateInReject, chkEarlyOutShow, chkEarlyOutReject; boxes txtEarlyMessage,
// txtLateMessage, txtLateInMessage, txtEarlyOutMessage, txtEarlyLimit, txtLateLimit, txtLateInLimit,
// txtEarlyOutLimit, txtLongShift, txtQuickRepeat; lblNoDatabase.
class WorkHoursPage : public OptionsPage {
    Q_OBJECT

public:
    // Without an employee database the frames are shown disabled, with a line saying why.
    WorkHoursPage(bool employeeDatabase, QWidget* parent = nullptr);

private:
    struct Frame {
        const char* title;
        const char* show;
        const char* showKey;
        const char* reject;
        const char* rejectKey;
        const char* message;
        const char* messageKey;
        const char* limit;
        const char* limitKey;
        const char* limitCaption;
        const char* help;
        int messageLength; // 0: no limit
    };
    QGroupBox* buildFrame(const Frame& frame);
    QGroupBox* buildExceptionsFrame();
    QGroupBox* buildLateFrame();
};
