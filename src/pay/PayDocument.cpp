#include "pay/PayDocument.h"

#include "pay/PaySummary.h"
#include "reports/PainterSurface.h"
#include "reports/ReportDocument.h"
#include "reports/ReportLayout.h"
#include "settings/SettingsRecord.h"
#include "store/DayNumber.h"

#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

namespace {
// Right edges of the figure columns, as fractions of the page width; the name and ID come first.
constexpr qreal idColumn = 0.27;
constexpr qreal regularColumn = 0.47;
constexpr qreal overtimeColumn = 0.555;
constexpr qreal doubleColumn = 0.64;
constexpr qreal hoursColumn = 0.725;
constexpr qreal ratesColumn = 0.835;
constexpr qreal grossColumn = 0.93;
constexpr qreal tipsColumn = 1.0;
} // namespace

PayLayout::PayLayout(DrawingSurface& surface, const Options& options)
    : m_surface(surface)
    , m_options(options)
{
    m_width = surface.pageSize().width();
    m_rowHeight = 1.2 * surface.textHeight();
    m_lastRow = ReportLayout::lastUsableRow(surface.pageSize().height(), m_rowHeight);
}

void PayLayout::text(qreal column, const QString& t, bool bold)
{
    m_surface.setBold(bold);
    m_surface.drawText(QPointF(column * m_width, m_row * m_rowHeight), t);
}

void PayLayout::rightAligned(qreal column, const QString& t, bool bold)
{
    m_surface.setBold(bold);
    // Without tips the figures move right by the tips column's width.
    const qreal shift = m_options.reportTips ? 0 : tipsColumn - grossColumn;
    m_surface.drawText(QPointF((column + shift) * m_width - m_surface.textWidth(t), m_row * m_rowHeight), t);
}

void PayLayout::pageHeader()
{
    if (m_page > 0)
        m_surface.newPage();
    ++m_page;
    m_row = 0;
    text(0, m_title, true);
    m_surface.setBold(false);
    const QString page = QStringLiteral("Page %1").arg(m_page);
    m_surface.drawText(QPointF(m_width - m_surface.textWidth(page), 0), page);
    m_row = 2;
    text(0, QStringLiteral("Employee"), true);
    text(idColumn, QStringLiteral("ID"), true);
    rightAligned(regularColumn, QStringLiteral("Regular"), true);
    rightAligned(overtimeColumn, QStringLiteral("Overtime"), true);
    rightAligned(doubleColumn, QStringLiteral("Double"), true);
    rightAligned(hoursColumn, QStringLiteral("Hours"), true);
    rightAligned(ratesColumn, QStringLiteral("Rate"), true);
    rightAligned(grossColumn, QStringLiteral("Gross pay"), true);
    if (m_options.reportTips)
        rightAligned(tipsColumn, m_options.tipsWord, true);
    const qreal rule = (m_row + 1) * m_rowHeight - 0.1 * m_rowHeight;
    m_surface.drawLine(QPointF(0, rule), QPointF(m_width, rule));
    m_row = 3;
}

void PayLayout::nextRow(int rowsKeptTogether)
{
    ++m_row;
    if (m_row + rowsKeptTogether - 1 > m_lastRow)
        pageHeader();
}

void PayLayout::figures(const QString& name, const QString& id, const PayMinutes& paid, const QString& rates,
                        Money gross, Money tips, bool bold)
{
    text(0, name, bold);
    text(idColumn, id, bold);
    rightAligned(regularColumn, PaySummary::hoursText(paid.regular), bold);
    rightAligned(overtimeColumn, PaySummary::hoursText(paid.overtime), bold);
    rightAligned(doubleColumn, PaySummary::hoursText(paid.doubleTime), bold);
    rightAligned(hoursColumn, PaySummary::hoursText(paid.total()), bold);
    rightAligned(ratesColumn, rates, bold);
    rightAligned(grossColumn, gross.toFixed(2), bold);
    if (m_options.reportTips)
        rightAligned(tipsColumn, tips.toFixed(2), bold);
}

void PayLayout::draw(const PaySummary& summary)
{
    m_title = summary.title();
    pageHeader();
    const QList<const EmployeePay*> employees = summary.byDepartment();
    for (qsizetype i = 0; i < employees.size();) {
        const qint32 dnumber = employees[i]->dnumber;
        const QString department = summary.departmentName(dnumber);
        // The department's name with at least its first employee.
        if (m_row > 3)
            nextRow(3);
        const QString heading = department.isEmpty() ? QStringLiteral("No department") : department;
        text(0, heading, true);
        PayMinutes paid;
        Money gross;
        Money tips;
        for (; i < employees.size() && summary.departmentName(employees[i]->dnumber) == department; ++i) {
            const EmployeePay& e = *employees[i];
            nextRow();
            // Every other row shaded, so a long line is easy to follow across the page.
            if (i % 2 == 1)
                m_surface.fillRect(QRectF(0, m_row * m_rowHeight, m_width, m_rowHeight), m_options.shading);
            figures(e.name.trimmed(), e.id, e.paid, PaySummary::ratesText(e.rates), e.gross, e.tips, false);
            paid += e.paid;
            gross += e.gross;
            tips += e.tips;
        }
        nextRow();
        // Named, so a subtotal read at the foot of a long page is not taken for the grand total.
        figures(heading + QStringLiteral(" total"), QString(), paid, QString(), gross, tips, true);
        ++m_row;
    }
    nextRow();
    const PayResult& r = summary.result();
    figures(QStringLiteral("Grand total"), QString(), r.paid, QString(), r.gross, r.tips, true);
}

int PayDocument::paint(const PaySummary& summary, QPagedPaintDevice& device, const PrintSettings& print)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    PainterSurface surface(device, painter, ReportDocument::font(print));
    PayLayout::Options options;
    options.reportTips = summary.settings().reportTips;
    if (!summary.settings().tipsWord.trimmed().isEmpty())
        options.tipsWord = summary.settings().tipsWord.trimmed();
    options.shading = PrintSettings::shadingColor(print.shading);
    PayLayout layout(surface, options);
    layout.draw(summary);
    painter.end();
    return layout.pageCount();
}

bool PayDocument::writePdf(const PaySummary& summary, QIODevice& device, const PrintSettings& print)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Tellarin"));
    writer.setTitle(summary.title());
    const bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    // Nine columns of figures need the width of a landscape page.
    writer.setPageLayout(QPageLayout(QPageSize(us ? QPageSize::Letter : QPageSize::A4),
                                     QPageLayout::Landscape, QMarginsF(12.7, 12.7, 12.7, 12.7),
                                     QPageLayout::Millimeter));
    return paint(summary, writer, print) > 0;
}

QString PayDocument::defaultFileName(qint32 firstDay, qint32 lastDay, const QString& extension)
{
    const auto iso = [](qint32 day) {
        return DayNumber::toDate(day).toString(Qt::ISODate);
    };
    return QStringLiteral("pay-summary-") + iso(firstDay) + QStringLiteral("-to-") + iso(lastDay) +
           QLatin1Char('.') + extension;
}
