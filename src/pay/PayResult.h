#pragma once

#include "store/Money.h"
#include "store/ReportRows.h"

#include <QList>
#include <QString>

// Worked minutes by kind of pay.
struct PayMinutes {
    qint64 regular = 0;
    qint64 overtime = 0;
    qint64 doubleTime = 0;

    qint64 total() const { return regular + overtime + doubleTime; }
    PayMinutes& operator+=(const PayMinutes& other)
    {
        regular += other.regular;
        overtime += other.overtime;
        doubleTime += other.doubleTime;
        return *this;
    }
    bool operator==(const PayMinutes&) const = default;
};

// A complete pair of the clocking report as pay counts it. Its minutes by kind are those that fall
// on workdays of the period.
struct PairPay {
    const ReportRow* in = nullptr;
    const ReportRow* out = nullptr;
    qint64 roundedIn = 0; // clock-face seconds after rounding
    qint64 roundedOut = 0;
    qint32 workday = 0;  // the workday of its IN
    qint64 minutes = 0;  // real time between the rounded times, counted in whole minutes
    qint64 deducted = 0; // break deduction taken on the workday of its IN
    PayMinutes paid;
};

// One worked workday of the period.
struct WorkdayPay {
    qint32 day = 0;      // day number of the date the workday starts on
    qint64 deducted = 0; // breaks deducted on it
    PayMinutes paid;     // worked time after deduction, by kind
    Money rate;          // per hour
    bool seventhDay = false;
};

struct EmployeePay {
    QString id; // in the form IDs compare in
    QString name;
    qint32 dnumber = 0;
    QList<PairPay> pairs;       // in time order
    QList<WorkdayPay> workdays; // in day order
    QList<Money> rates;         // the different rates used, in order of first use
    PayMinutes paid;
    Money gross; // to the cent
    Money tips;
};

// An IN of the period that no OUT closes.
struct OpenPair {
    const ReportRow* in = nullptr;
    QString id;
    qint64 roundedIn = 0;
    qint32 workday = 0;
};

struct PayResult {
    QList<EmployeePay> employees; // those with a complete pair in the period, in the rows' order
    QList<OpenPair> openPairs;
    PayMinutes paid;
    Money gross; // the sum of the employees' amounts as rounded
    Money tips;
};
