#pragma once

#include <QString>

// The program's options as loaded from the "Application" row; every part of the program reads
// these values, only the options dialog changes them.
struct SettingsRecord {
    // Options bits
    bool showLiveCam = false;
    bool autoDeduct = false;
    bool allowMinimize = false;
    bool showKeyboard = false;
    bool lateOutReject = false;
    bool earlyInReject = false;
    bool showClockFirst = false;
    bool useSound = true; // stored inverted: the bit is set when sound is off
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

    QString earlyMessage = QStringLiteral("You clocked in early...");
    QString lateMessage = QStringLiteral("You clocked out late...");
    QString lateInMessage = QStringLiteral("You clocked in late...");
    QString earlyOutMessage = QStringLiteral("You clocked out early...");
    qint16 earlyLimit = 10;
    qint16 lateLimit = 10;
    qint16 lateInLimit = 10;
    qint16 earlyOutLimit = 10;
    qint16 screenInOutDays = 7;
    qint16 pictureDays = 30;
    qint16 keepInSeconds = 0;
    qint16 keepOutSeconds = 0;
    float forceAfter = 12.0f;
    qint16 minutesToDeduct = 30;
    qint16 minBeforeDed = 300;
    QString enterId = QStringLiteral("Enter ID");
    QString tipsWord = QStringLiteral("Tips");
    QString clockingIn = QStringLiteral("Clocking In");
    QString clockingOut = QStringLiteral("Clocking Out");
    QString notFound = QStringLiteral("not found");
    QString tryAgain = QStringLiteral("try again");
    QString rejected = QStringLiteral("Rejected");
    QString goodMorning;
    QString goodNight;

    // The password in upper case; empty when none is set.
    QString password;

    // Time of day as shown on screen and in reports.
    QString timeFormat() const { return clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("hh:mm"); }
};
