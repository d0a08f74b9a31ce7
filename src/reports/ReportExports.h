#pragma once

#include "reports/ReportLines.h"

#include <QHash>
#include <functional>
#include <optional>

class QTextStream;
struct DepartmentList;

// The report as TAB-separated lines: the texts the page shows, without page headers and breaks.
class LinesExport final : public ReportSink {
public:
    explicit LinesExport(QTextStream& out)
        : m_out(out)
    {}
    void line(const ReportLine& line) override;

private:
    QTextStream& m_out;
};

// What pay makes of one complete pair: the workday it is paid on and its minutes by kind. Pay is
// computed above the reports, so the caller hands the CSV a lookup by the pair's IN.
struct PairPayColumns {
    qint32 workday = 0; // day number of the date the workday starts on
    qint64 regular = 0;
    qint64 overtime = 0;
    qint64 doubleTime = 0;
};
using PairPayLookup = std::function<std::optional<PairPayColumns>(const ReportRow& in)>;

// The report as CSV for payroll (RFC 4180, header row, CR LF): one row per pair and per record
// that has no partner, with the stored and the rounded times, the worked minutes both ways and the
// record marks, and the workday and minutes by kind of pay of a complete pair; after each group a summary
// row, and a grand total row at the end. Text cells that a spreadsheet would run as a formula get a leading
// apostrophe.
class CsvExport final : public ReportSink {
public:
    CsvExport(QTextStream& out, const DepartmentList& departments, bool employeeReport, bool reportTips,
              PairPayLookup pairPay = {});
    void line(const ReportLine& line) override;

    // One cell as RFC 4180 writes it.
    static QString field(const QString& text);
    // A text cell: field() after defusing a leading =, +, -, @, TAB or CR.
    static QString textField(const QString& text);

private:
    void pairRow(const ReportRow* in, qint64 roundedIn, const ReportRow* out, qint64 roundedOut,
                 const ReportLine* pair);
    void summaryRow(const ReportLine& line, const QString& pairText);
    // Texts: ID, name (when named), department name, marks, pair; the rest are numbers and stamps.
    void write(const ReportRow* who, bool named, const QStringList& cells, const QString& marks,
               const QString& pairText, const QStringList& payCells);

    QTextStream& m_out;
    QHash<qint32, QString> m_departments;
    bool m_employeeReport = true;
    bool m_reportTips = false;
    PairPayLookup m_pairPay;
    const ReportRow* m_last = nullptr;
};
