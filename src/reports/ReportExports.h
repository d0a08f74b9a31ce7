#pragma once

#include "reports/ReportLines.h"

#include <QHash>

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

// The report as CSV for payroll (RFC 4180, header row, CR LF): one row per pair and per record
// that has no partner, with the stored and the rounded times and the worked minutes both ways.
class CsvExport final : public ReportSink {
public:
    CsvExport(QTextStream& out, const DepartmentList& departments);
    void line(const ReportLine& line) override;

    static QString field(const QString& text);

private:
    void row(const ReportRow* in, qint64 roundedIn, const ReportRow* out, qint64 roundedOut,
             const ReportLine* pair);

    QTextStream& m_out;
    QHash<qint32, QString> m_departments;
};
