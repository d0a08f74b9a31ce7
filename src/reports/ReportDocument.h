#pragma once

#include "reports/PrintSettings.h"
#include "reports/ReportExports.h"
#include "reports/ReportLines.h"

#include <QFont>
#include <QList>
#include <QMarginsF>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QIODevice;
class QTextStream;
class TimeSource;
class Session;

// One run of the clocking report: the rows read afresh for a request, and every output made from
// them (pages on any paged device, PDF, TAB lines, CSV).
class ReportDocument {
public:
    // Computes what pay makes of the period's pairs for the CSV, from the database the report reads.
    using PairPaySource = std::function<PairPayLookup(Database& database, const ReportRequest& request)>;

    ReportDocument(const TimeSource& time, const Session& session, const ReportRequest& request,
                   PairPaySource pairPay = {});

    // Reads the rows of the period; false when there are none. Throws DatabaseError.
    bool load(Database& database);
    // For callers that already hold the rows (the benchmark, tests).
    void setRows(QList<ReportRow> rows) { m_rows = std::move(rows); }
    const QList<ReportRow>& rows() const { return m_rows; }
    const ClockingReport& report() const { return m_report; }

    // Draws every page on the device as it is set up (page size, orientation); returns the pages.
    int paint(QPagedPaintDevice& device, const PrintSettings& print) const;
    // The same pages into a PDF file, on the page size of the system's measurement (US Letter
    // in the US, A4 elsewhere), written to an open device. False when nothing could be drawn.
    bool writePdf(QIODevice& device, const PrintSettings& print) const;
    void writeLines(QTextStream& out) const;
    void writeCsv(QTextStream& out) const;

    static QFont font(const PrintSettings& print);
    // Margins of a PDF meant for printing, in millimetres: those of a printer's printable area,
    // but never under a quarter inch (6.35 mm), which nearly every printer reaches.
    static QMarginsF pdfMargins(const std::optional<QMarginsF>& printable);
    // clocking-report-2026-12-01-to-2026-12-07.pdf
    static QString defaultFileName(const ReportRequest& request, const QString& extension);

private:
    const Session& m_session;
    ReportRequest m_request;
    ClockingReport m_report;
    PairPaySource m_pairPaySource;
    Database* m_database = nullptr; // the one last read, for the pay columns of a CSV
    QList<ReportRow> m_rows;
};
