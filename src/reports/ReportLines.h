#pragma once

#include "reports/Rounding.h"
#include "store/ReportRows.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

struct SettingsRecord;
struct DepartmentList;

// What the manager asked for: the period, the kind of report and the rounding.
struct ReportRequest {
    qint32 firstDay = 0;
    qint32 lastDay = 0;
    bool employeeReport = true;
    RoundingCode rounding;

    ReportRows::Order order() const
    {
        return employeeReport ? ReportRows::Order::Employee : ReportRows::Order::Department;
    }
    // A missing day takes the other one: a single day.
    ReportRequest completed() const;
};

// One line of the clocking report, with the texts as the page shows them and, for exports, the
// numbers behind them. Only the fields of its kind are filled.
struct ReportLine {
    enum class Kind { Title, Rounding, Record, Pair, Group, Total };
    Kind kind = Kind::Title;

    QString text; // Title and Rounding

    // Record
    const ReportRow* row = nullptr;
    qint64 rounded = 0; // the row's time after rounding, clock-face seconds
    QString id, name, department, action, time, mark, weekday, date, tip;
    bool shaded = false;     // an IN whose pair is drawn on the shading colour
    bool opensPair = false;  // an IN that the next line's OUT closes
    bool closesPair = false; // an OUT that closes the IN before it

    // Pair: the IN row and its rounded time (row/rounded above are the OUT's)
    const ReportRow* inRow = nullptr;
    qint64 roundedIn = 0;
    qint64 minutes = 0;     // after rounding
    qint64 rawMinutes = 0;  // between the stored times
    int breaks = 0;         // counted in this pair
    bool breakMark = false; // the "<" beside the worked time

    // Group and Total: minutes above are the worked minutes after deduction
    qint64 deducted = 0;
    Money tipsAmount;

    // Pair, Group and Total
    QString worked;
    QString deduction;
    QString tips;            // Group: the amount; Total: "Total tips: " and the amount
    bool emphasised = false; // Group: bold unless a deduction text stands beside it
};

// Receives the report's lines one at a time, in page order.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void line(const ReportLine& line) = 0;
};

// The clocking report as a computation: rows in, lines out. Knows nothing of pages or fonts.
class ClockingReport {
public:
    ClockingReport(const ReportRequest& request, const SettingsRecord& settings,
                   const DepartmentList& departments, const QDateTime& now);

    QString title() const { return m_title; }
    QString roundingLine() const { return m_request.rounding.line(); }
    // Emits every line for the rows, which must be in the request's selection order. The rows
    // must outlive the sink's use of the lines.
    void PrintReport(const QList<ReportRow>& rows, ReportSink& sink) const;

    // The line as the `lines` export writes it: fields joined by TAB.
    static QString tabText(const ReportLine& line);
    // Minute boundaries between two clock-face times: seconds do not count.
    static qint64 minutesBetween(qint64 from, qint64 to);

private:
    QString departmentName(qint32 number) const;

    ReportRequest m_request;
    const SettingsRecord& m_settings;
    QHash<qint32, QString> m_departments;
    QString m_title;
};
