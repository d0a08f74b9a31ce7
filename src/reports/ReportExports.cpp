#include "reports/ReportExports.h"

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

CsvExport::CsvExport(QTextStream& out, const DepartmentList& departments)
    : m_out(out)
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

void CsvExport::line(const ReportLine& line)
{
    switch (line.kind) {
    case ReportLine::Kind::Title:
        m_out << "Employee ID,Employee,Department number,Department,In,Out,Rounded in,Rounded out,"
                 "Worked minutes,Worked minutes before rounding,Breaks,Tips\r\n";
        break;
    case ReportLine::Kind::Record:
        if (line.opensPair || line.closesPair)
            break; // written with its pair
        if (line.row->clockOut)
            row(nullptr, 0, line.row, line.rounded, nullptr);
        else
            row(line.row, line.rounded, nullptr, 0, nullptr);
        break;
    case ReportLine::Kind::Pair:
        row(line.inRow, line.roundedIn, line.row, line.rounded, &line);
        break;
    default:
        break;
    }
}

void CsvExport::row(const ReportRow* in, qint64 roundedIn, const ReportRow* out, qint64 roundedOut,
                    const ReportLine* pair)
{
    const ReportRow& any = in ? *in : *out;
    const QStringList fields = {
        any.employeeId.toUpper(),
        any.employee.trimmed(),
        QString::number(any.dnumber),
        m_departments.value(any.dnumber),
        in ? stamp(in->time) : QString(),
        out ? stamp(out->time) : QString(),
        in ? stamp(roundedIn) : QString(),
        out ? stamp(roundedOut) : QString(),
        pair ? QString::number(pair->minutes) : QString(),
        pair ? QString::number(pair->rawMinutes) : QString(),
        pair ? QString::number(pair->breaks) : QString(),
        out ? plainMoney(out->tips) : QString(),
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_out << ',';
        m_out << field(fields[i]);
    }
    m_out << "\r\n";
}
