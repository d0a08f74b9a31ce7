#include "reports/ReportDocument.h"

#include "platform/TimeSource.h"
#include "reports/PainterSurface.h"
#include "reports/ReportExports.h"
#include "reports/ReportLayout.h"
#include "settings/Session.h"
#include "store/DayNumber.h"

#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

ReportDocument::ReportDocument(const TimeSource& time, const Session& session, const ReportRequest& request,
                               PairPaySource pairPay)
    : m_session(session)
    , m_request(request.completed())
    , m_report(m_request, session.settings(), session.departments(), time.now())
    , m_pairPaySource(std::move(pairPay))
{}

bool ReportDocument::load(Database& database)
{
    m_rows = ReportRows::select(database, m_request.firstDay, m_request.lastDay, m_request.order());
    m_database = &database;
    return !m_rows.isEmpty();
}

QFont ReportDocument::font(const PrintSettings& print)
{
    QFont f(print.fontName);
    f.setPointSizeF(print.fontSize > 0 ? print.fontSize : 9);
    f.setItalic(print.italic);
    return f;
}

int ReportDocument::paint(QPagedPaintDevice& device, const PrintSettings& print) const
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    PainterSurface surface(device, painter, font(print));
    ReportLayout::Options options;
    options.employeeReport = m_request.employeeReport;
    options.reportTips = m_session.settings().reportTips;
    options.tipsWord = m_session.settings().tipsWord;
    options.shading = PrintSettings::shadingColor(print.shading);
    ReportLayout layout(surface, options);
    m_report.PrintReport(m_rows, layout);
    painter.end();
    return layout.pageCount();
}

bool ReportDocument::writePdf(QIODevice& device, const PrintSettings& print) const
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Tellarin"));
    writer.setTitle(m_report.title());
    const bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    writer.setPageLayout(QPageLayout(QPageSize(us ? QPageSize::Letter : QPageSize::A4),
                                     print.orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter));
    return paint(writer, print) > 0;
}

QMarginsF ReportDocument::pdfMargins(const std::optional<QMarginsF>& printable)
{
    constexpr qreal quarterInch = 6.35;
    const QMarginsF m = printable.value_or(QMarginsF());
    return {std::max(m.left(), quarterInch), std::max(m.top(), quarterInch), std::max(m.right(), quarterInch),
            std::max(m.bottom(), quarterInch)};
}

void ReportDocument::writeLines(QTextStream& out) const
{
    LinesExport sink(out);
    m_report.PrintReport(m_rows, sink);
}

void ReportDocument::writeCsv(QTextStream& out) const
{
    // Pay is computed only for the CSV, the one output that shows it.
    CsvExport sink(out, m_session.departments(), m_request.employeeReport, m_session.settings().reportTips,
                   m_pairPaySource && m_database ? m_pairPaySource(*m_database, m_request) : PairPayLookup());
    m_report.PrintReport(m_rows, sink);
}

QString ReportDocument::defaultFileName(const ReportRequest& request, const QString& extension)
{
    const ReportRequest r = request.completed();
    const auto iso = [](qint32 day) {
        return DayNumber::toDate(day).toString(Qt::ISODate);
    };
    return QStringLiteral("clocking-report-") + iso(r.firstDay) + QStringLiteral("-to-") + iso(r.lastDay) +
           QLatin1Char('.') + extension;
}
