#pragma once

#include <QString>

// The program's options as loaded from the "Application" row; every part of the program reads
// these values, only the options dialog changes them. The defaults, the stored forms and the
// rules of each option are in SettingsTable.
struct SettingsRecord {
    // Every option as a blank row loads it.
    SettingsRecord();

    // Options bits
    bool showLiveCam = false;
    bool autoDeduct = false;
    bool allowMinimize = false;
    bool showKeyboard = false;
    bool lateOutReject = false;
    bool earlyInReject = false;
    bool showClockFirst = false;
    bool useSound = false;
    bool forceClockOuts = false;
    bool lateOutShow = false;
    bool earlyInShow = false;
    bool reportTips = false;
    bool clock12Hour = false;
    bool takePictures = false;
    // Options2 bits
    bool earlyOutReject = false;
    bool lateInReject = false;
    bool earlyOutShow = false;
    bool lateInShow = false;
    bool showInOutLists = false;
    bool showElapsedTime = false;

    QString earlyMessage;
    QString lateMessage;
    QString lateInMessage;
    QString earlyOutMessage;
    qint16 earlyLimit = 0;
    qint16 lateLimit = 0;
    qint16 lateInLimit = 0;
    qint16 earlyOutLimit = 0;
    qint16 screenInOutDays = 0;
    qint16 pictureDays = 0;
    qint16 keepInSeconds = 0;
    qint16 keepOutSeconds = 0;
    float forceAfter = 0.0f;
    qint16 minutesToDeduct = 0;
    qint16 minBeforeDed = 0;
    QString enterId;
    QString tipsWord;
    QString clockingIn;
    QString clockingOut;
    QString notFound;
    QString tryAgain;
    QString rejected;
    QString goodMorning;
    QString goodNight;

    // Pay: times in minutes, multipliers in ten-thousandths (1.5 is 15000).
    int payWorkweekStart = 7; // Qt::DayOfWeek
    qint32 payWorkdayStart = 0;
    qint32 payWeeklyOvertime = 0; // 0: none
    bool payDailyOvertime = false;
    qint32 payDailyOvertimeAfter = 0;
    bool payDailyDouble = false;
    qint32 payDailyDoubleAfter = 0;
    bool paySeventhDay = false;
    qint32 payOvertimeMultiplier = 0;
    qint32 payDoubleMultiplier = 0;
    bool paySplitAtWorkdayStart = false;
    int payRounding = 0;

    // Payroll: the kind of pay period ("weekly", "biweekly", "semimonthly", "monthly"), the first day
    // of any one weekly or biweekly period (empty: the periods begin with the workweek), and what the
    // payroll services' files name.
    QString payrollPeriod;
    QString payrollAnchor;
    QString adpCompany;
    QString adpBatch;
    QString adpDoubleCode;
    QString quickbooksCompany;
    qint64 quickbooksCreateTime = 0;
    QString quickbooksItem;

    // The kiosk: a second punch within this many seconds is refused (0: never), card readers send
    // hexadecimal, the confirmation shows the week's hours, a PIN is asked after the ID.
    qint32 guardSeconds = 0;
    bool readerHex = false;
    bool showWeekHours = false;
    bool askPin = false;

    // Exceptions: a shift longer than this many minutes is long, a punch within this many seconds
    // of the one before repeats it (0: never).
    qint32 exceptionLongShift = 0;
    qint32 exceptionQuickRepeat = 0;
    // Where the forced clock-out puts its OUT: the index of ExceptionSettings::forcedOutTimes().
    int forcedOutTime = 0;

    // Who is late: minutes after a scheduled start without an IN today, and whether the desktop is
    // told of each late employee.
    int lateAfterMinutes = 15;
    bool lateNotify = false;

    // The password in upper case; empty when none is set.
    QString password;

    // Time of day as shown on screen and in reports.
    QString timeFormat() const { return clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("hh:mm"); }
};
