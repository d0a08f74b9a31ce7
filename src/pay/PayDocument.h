#pragma once

#include "reports/PrintSettings.h"

#include <QColor>
#include <QString>

class DrawingSurface;
class PaySummary;
class QIODevice;
class QPagedPaintDevice;
struct EmployeePay;
struct PayMinutes;
class Money;

// Places the pay summary on pages: title and period, column heads on every page, one row per
// employee grouped by department with its subtotal, and the grand total. Rows are 1.2 text lines;
// a department's subtotal never starts a page on its own.
class PayLayout {
public:
    struct Options {
        bool reportTips = false;
        QString tipsWord = QStringLiteral("Tips");
        QColor shading = QColor(255, 255, 150);
    };
    PayLayout(DrawingSurface& surface, const Options& options);

    void draw(const PaySummary& summary);
    int pageCount() const { return m_page; }

private:
    void pageHeader();
    void nextRow(int rowsKeptTogether = 1);
    void figures(const QString& name, const QString& id, const PayMinutes& paid, const QString& rates,
                 Money gross, Money tips, bool bold);
    void rightAligned(qreal column, const QString& text, bool bold);
    void text(qreal column, const QString& text, bool bold);

    DrawingSurface& m_surface;
    Options m_options;
    QString m_title;
    qreal m_width = 0;
    qreal m_rowHeight = 0;
    int m_lastRow = 0;
    int m_page = 0;
    int m_row = 0;
};

// The pay summary's pages on a printer, the preview or a PDF file.
namespace PayDocument {
// Draws every page on the device as it is set up; returns the pages.
int paint(const PaySummary& summary, QPagedPaintDevice& device, const PrintSettings& print);
// The pages as a PDF on the page size of the system's measurement. False when nothing was drawn.
bool writePdf(const PaySummary& summary, QIODevice& device, const PrintSettings& print);
// "pay-summary-2026-06-07-to-2026-06-13.pdf"
QString defaultFileName(qint32 firstDay, qint32 lastDay, const QString& extension);
} // namespace PayDocument
