#include "reports/ReportLayout.h"

#include "reports/DrawingSurface.h"

#include <cmath>

namespace {
constexpr qreal columns = 80;
constexpr qreal firstRecordRow = 3.5;
constexpr qreal noTipsRuleShortening = 15.1; // units
const QColor totalBand(220, 220, 220);
} // namespace

ReportLayout::ReportLayout(DrawingSurface& surface, const Options& options)
    : m_surface(surface)
    , m_options(options)
{
    const QSizeF page = surface.pageSize();
    m_surface.setBold(false);
    m_pageWidth = page.width();
    m_unit = page.width() / columns;
    m_rowHeight = 1.2 * surface.textHeight();
    m_lastRow = lastUsableRow(page.height(), m_rowHeight);
}

int ReportLayout::lastUsableRow(qreal pageHeight, qreal rowHeight)
{
    return static_cast<int>(std::nearbyint(pageHeight / rowHeight)) - 3; // the default mode rounds to even
}

void ReportLayout::line(const ReportLine& line)
{
    switch (line.kind) {
    case ReportLine::Kind::Title:
        m_title = line.text;
        break;
    case ReportLine::Kind::Rounding:
        m_rounding = line.text;
        break;
    case ReportLine::Kind::Record:
        if (m_page == 0)
            pageHeader();
        endOfRecord();
        record(line);
        break;
    case ReportLine::Kind::Pair:
        pair(line);
        break;
    case ReportLine::Kind::Group:
        groupTotal(line);
        break;
    case ReportLine::Kind::Total:
        if (m_page == 0)
            pageHeader();
        endOfRecord();
        grandTotal(line);
        break;
    }
}

qreal ReportLayout::ruleWidth() const
{
    return m_options.reportTips ? m_pageWidth : m_pageWidth - noTipsRuleShortening * m_unit;
}

qreal ReportLayout::width(const QString& text, bool bold)
{
    m_surface.setBold(bold);
    const qreal w = m_surface.textWidth(text);
    m_surface.setBold(false);
    return w;
}

void ReportLayout::text(qreal column, qreal row, const QString& text, bool bold)
{
    if (text.isEmpty())
        return;
    m_surface.setBold(bold);
    m_surface.drawText(QPointF(column * m_unit, y(row)), text);
    m_surface.setBold(false);
}

void ReportLayout::rightAligned(qreal column, qreal row, const QString& text, bool bold)
{
    if (text.isEmpty())
        return;
    m_surface.setBold(bold);
    m_surface.drawText(QPointF(column * m_unit - m_surface.textWidth(text), y(row)), text);
    m_surface.setBold(false);
}

void ReportLayout::pageHeader()
{
    if (m_page > 0)
        m_surface.newPage();
    ++m_page;
    // Centred as the bold title would stand, so the regular one does not shift between pages.
    m_surface.drawText(QPointF((m_pageWidth - width(m_title, true)) / 2, 0), m_title);
    rightAligned(79, 0, QStringLiteral(" Page ") + QString::number(m_page));
    if (!m_rounding.isEmpty())
        m_surface.drawText(QPointF(39.5 * m_unit - width(m_rounding) / 2, y(0.8)), m_rounding);

    const qreal headings = 2;
    text(34, headings, QStringLiteral("Date"), true);
    if (m_options.employeeReport) {
        text(0, headings, QStringLiteral("ID"), true);
        text(7, headings, QStringLiteral("Name"), true);
        text(19, headings, QStringLiteral("Department "), true);
    } else {
        text(0, headings, QStringLiteral("Department "), true);
        text(17, headings, QStringLiteral("ID"), true);
        text(22, headings, QStringLiteral("Name"), true);
    }
    text(44, headings, QStringLiteral("Action"), true);
    rightAligned(51.5, headings, QStringLiteral("Time"), true);
    rightAligned(57, headings, QStringLiteral("Hours"), true);
    if (m_options.reportTips)
        rightAligned(79, headings, m_options.tipsWord, true);
    m_surface.drawLine(QPointF(0, y(3.1)), QPointF(ruleWidth(), y(3.1)));
    m_row = firstRecordRow;
}

void ReportLayout::endOfRecord()
{
    if (!m_recordPending)
        return;
    m_recordPending = false;
    if (m_row >= m_lastRow || (m_pendingWasOut && m_row >= m_lastRow - 4))
        pageHeader();
    else
        m_row += 1;
}

void ReportLayout::record(const ReportLine& line)
{
    const qreal r = m_row;
    if (line.shaded)
        m_surface.fillRect(QRectF(0, y(r - 0.1), ruleWidth(), y(2.1)), m_options.shading);
    if (m_options.employeeReport) {
        text(0, r, line.id);
        text(7, r, line.name);
        text(19, r, line.department);
    } else {
        text(0, r, line.department);
        text(17, r, line.id);
        text(22, r, line.name);
    }
    text(44, r, line.action);
    rightAligned(57, r, line.time);
    text(57, r, line.mark);
    text(34, r, line.weekday);
    text(37, r, line.date);
    rightAligned(79, r, line.tip);
    m_recordPending = true;
    m_pendingWasOut = line.row && line.row->clockOut;
}

void ReportLayout::pair(const ReportLine& line)
{
    const qreal r = m_row - 0.5;
    const qreal workedWidth = width(line.worked, true);
    rightAligned(51.5, r, line.worked, true);
    if (line.breakMark)
        m_surface.drawText(QPointF(51.5 * m_unit - workedWidth - m_unit, y(r)), QStringLiteral("<"));
}

void ReportLayout::groupTotal(const ReportLine& line)
{
    m_row += 1.1;
    const qreal r = m_row;
    const qreal workedWidth = width(line.worked, line.emphasised);
    const qreal deductionEnd = 49 * m_unit - workedWidth;
    const qreal deductionWidth = width(line.deduction);
    // The band covers the totals and, when there is one, the deduction text beside them.
    qreal left = 44 * m_unit;
    if (!line.deduction.isEmpty())
        left = std::min(left, deductionEnd - deductionWidth - m_unit / 2);
    const qreal right = ruleWidth();
    m_surface.fillRect(QRectF(left, y(r), right - left, y(1)), totalBand);
    m_surface.drawLine(QPointF(left, y(r)), QPointF(right, y(r)));
    m_surface.drawLine(QPointF(left, y(r + 1)), QPointF(right, y(r + 1)));
    rightAligned(51.5, r, line.worked, line.emphasised);
    rightAligned(79, r, line.tips);
    if (!line.deduction.isEmpty())
        m_surface.drawText(QPointF(deductionEnd - deductionWidth, y(r)), line.deduction);
}

void ReportLayout::grandTotal(const ReportLine& line)
{
    m_surface.drawLine(QPointF(0, y(m_row - 0.1)), QPointF(ruleWidth(), y(m_row - 0.1)));
    m_surface.drawLine(QPointF(0, y(m_row + 0.1)), QPointF(ruleWidth(), y(m_row + 0.1)));
    m_row += 0.3;
    text(0, m_row, line.deduction);
    rightAligned(51.5, m_row, line.worked, true);
    text(52, m_row, QStringLiteral("Total time"));
    rightAligned(79, m_row, line.tips);
}
