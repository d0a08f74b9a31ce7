#pragma once

#include "reports/ReportLines.h"

#include <QColor>

class DrawingSurface;

// Places the report's lines on pages: page header, columns, pair shading, group and grand totals
// and page breaks, measured once from the surface's page size and font.
//
// Columns are eightieths of the page width, rows are 1.2 times the height of a text line. A page
// ends after the line that reaches the last usable row, or after an OUT within four rows of it, so
// a pair is rarely torn across pages.
class ReportLayout final : public ReportSink {
public:
    struct Options {
        bool employeeReport = true;
        bool reportTips = false;
        QString tipsWord = QStringLiteral("Tips");
        QColor shading = QColor(255, 255, 150);
    };

    ReportLayout(DrawingSurface& surface, const Options& options);

    void line(const ReportLine& line) override;

    qreal unit() const { return m_unit; }
    qreal rowHeight() const { return m_rowHeight; }
    int lastUsableRow() const { return m_lastRow; }
    int pageCount() const { return m_page; }
    // The row the next record line goes to.
    qreal currentRow() const { return m_row; }

    // Page height in rows, rounded half to even, less three.
    static int lastUsableRow(qreal pageHeight, qreal rowHeight);

private:
    void pageHeader();
    void endOfRecord();
    void record(const ReportLine& line);
    void pair(const ReportLine& line);
    void groupTotal(const ReportLine& line);
    void grandTotal(const ReportLine& line);

    void text(qreal column, qreal row, const QString& text, bool bold = false);
    void rightAligned(qreal column, qreal row, const QString& text, bool bold = false);
    qreal width(const QString& text, bool bold = false);
    qreal ruleWidth() const;
    qreal y(qreal row) const { return row * m_rowHeight; }

    DrawingSurface& m_surface;
    Options m_options;
    qreal m_unit = 0;
    qreal m_rowHeight = 0;
    int m_lastRow = 0;
    qreal m_pageWidth = 0;

    QString m_title;
    QString m_rounding;
    int m_page = 0;
    qreal m_row = 0;
    bool m_recordPending = false; // the last record line still waits for its page-end step
    bool m_pendingWasOut = false;
};
