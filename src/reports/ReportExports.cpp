#include "reports/ReportExports.h"

#include "reports/ReportTexts.h"
#include "store/DayNumber.h"
#include "store/StaffFiles.h"

#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {
// Clock-face seconds as stored time text; hand-made, as a wall-clock time may not exist locally.
QString stamp(qint64 seconds)
{
    constexpr qint64 perDay = ReportRows::secondsPerDay;
    const qint64 day = seconds >= 0 ? seconds / perDay : (seconds - perDay + 1) / perDay;
    const QDate date = DayNumber::toDate(static_cast<qint32>(day));
    const int ofDay = static_cast<int>(seconds - day * perDay);
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", date.year(),
                                     date.month(), date.day(), ofDay / 3600, ofDay / 60 % 60, ofDay % 60);
    return QString::fromLatin1(buffer, length);
}

QString plainMoney(Money amount)
{
    return amount.units() > 0 ? amount.toFixed(2) : QString();
}
} // namespace

void LinesExport::line(const ReportLine& line)
{
    m_out << ClockingReport::tabText(line) << '\n';
}

CsvExport::CsvExport(QTextStream& out, const DepartmentList& departments, bool employeeReport,
                     bool reportTips, PairPayLookup pairPay)
    : m_out(out)
    , m_employeeReport(employeeReport)
    , m_reportTips(reportTips)
    , m_pairPay(std::move(pairPay))
{
    for (const Department& d : departments.entries)
        if (!m_departments.contains(d.number))
            m_departments.insert(d.number, d.name);
}

QString CsvExport::field(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvExport::textField(const QString& text)
{
    // A spreadsheet runs a cell beginning with one of these as a formula (CSV injection).
    static const QString trigger = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && trigger.contains(text.front()))
        return field(QLatin1Char('\'') + text);
    return field(text);
}

void CsvExport::line(const ReportLine& line)
{
    switch (line.kind) {
    case ReportLine::Kind::Title:
        m_out << "Employee ID,Employee,Department number,Department,In,Out,Rounded in,Rounded out,"
                 "Worked minutes,Worked minutes before rounding,Breaks,Deducted minutes,"
              << (m_reportTips ? "Tips," : "")
              << "Marks,Pair,Workday,Regular minutes,Overtime minutes,Double minutes\r\n";
        break;
    case ReportLine::Kind::Record:
        m_last = line.row;
        if (line.opensPair || line.closesPair)
            break; // written with its pair
        if (line.row->clockOut)
            pairRow(nullptr, 0, line.row, line.rounded, nullptr);
        else
            pairRow(line.row, line.rounded, nullptr, 0, nullptr);
        break;
    case ReportLine::Kind::Pair:
        pairRow(line.inRow, line.roundedIn, line.row, line.rounded, &line);
        break;
    case ReportLine::Kind::Group:
        summaryRow(line, QStringLiteral("total"));
        break;
    case ReportLine::Kind::Total:
        m_last = nullptr;
        summaryRow(line, QStringLiteral("grand total"));
        break;
    default:
        break;
    }
}

void CsvExport::pairRow(const ReportRow* in, qint64 roundedIn, const ReportRow* out, qint64 roundedOut,
                        const ReportLine* pair)
{
    QStringList marks;
    for (const ReportRow* r : {in, out})
        if (r)
            if (const QString mark = ReportTexts::markName(r->options);
                !mark.isEmpty() && !marks.contains(mark))
                marks.append(mark);
    QStringList cells = {
        in ? stamp(in->time) : QString(),
        out ? stamp(out->time) : QString(),
        in ? stamp(roundedIn) : QString(),
        out ? stamp(roundedOut) : QString(),
        pair ? QString::number(pair->minutes) : QString(),
        pair ? QString::number(pair->rawMinutes) : QString(),
        pair ? QString::number(pair->breaks) : QString(),
        QString(),
    };
    if (m_reportTips)
        cells.append(out ? plainMoney(out->tips) : QString());
    std::optional<PairPayColumns> paid;
    if (pair && m_pairPay)
        paid = m_pairPay(*in);
    const QStringList payCells =
        paid ? QStringList{DayNumber::toDate(paid->workday).toString(Qt::ISODate),
                           QString::number(paid->regular), QString::number(paid->overtime),
                           QString::number(paid->doubleTime)}
             : QStringList(4);
    write(in ? in : out, true, cells, marks.join(QStringLiteral("; ")),
          pair ? QStringLiteral("complete")
          : in ? QStringLiteral("no out")
               : QStringLiteral("no in"),
          payCells);
}

void CsvExport::summaryRow(const ReportLine& line, const QString& pairText)
{
    QStringList cells = {QString(),
                         QString(),
                         QString(),
                         QString(),
                         QString::number(line.minutes),
                         QString(),
                         QString(),
                         QString::number(line.deducted)};
    if (m_reportTips)
        cells.append(line.tipsAmount.toFixed(2));
    // A department's summary names the department only; its employees have rows of their own.
    write(m_last, m_employeeReport, cells, QString(), pairText, QStringList(4));
}

void CsvExport::write(const ReportRow* who, bool named, const QStringList& cells, const QString& marks,
                      const QString& pairText, const QStringList& payCells)
{
    const bool person = who && named;
    const bool department = who != nullptr;
    m_out << textField(person ? who->employeeId.toUpper() : QString()) << ','
          << textField(person ? who->employee.trimmed() : QString()) << ','
          << (department ? QString::number(who->dnumber) : QString()) << ','
          << textField(department ? m_departments.value(who->dnumber) : QString());
    for (const QString& cell : cells)
        m_out << ',' << field(cell);
    m_out << ',' << textField(marks) << ',' << textField(pairText);
    for (const QString& cell : payCells)
        m_out << ',' << field(cell);
    m_out << "\r\n";
}
