#include "payroll/PayrollExport.h"

#include "payroll/ExportSources.h"
#include "reports/ReportExports.h"
#include "store/DayNumber.h"
#include "store/EmployeePayrollTable.h"
#include "store/OwnFiles.h"
#include "store/Windows1252.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
using ExportSources::Kind;

// QuickBooks refuses a time activity longer than this.
constexpr qint64 longestIifLine = 23 * 60 + 59;

// One line of the file before it is written: an employee's period, or one of its workdays.
struct Line {
    const EmployeePay* employee = nullptr;
    ExportEmployee known;
    PayMinutes minutes;
    Money gross;
    Money tips;
    QDate date;
};

class Writer {
public:
    Writer(const ExportProfile& profile, const ExportInput& input)
        : m_profile(profile)
        , m_input(input)
    {}

    QByteArray bytes(QString* problem);

private:
    void addLines(const Line& line);
    bool worthWriting(const Line& line) const;
    // Minutes, or ten-thousandths of money, of a column of hours or money.
    static qint64 amountOf(const QString& source, const Line& line);
    QString value(const ExportColumn& column, const Line& line) const;
    QString hours(qint64 minutes) const;
    QString money(Money amount) const;
    // Appends one line of cells, or fails naming the cell the encoding cannot hold.
    bool write(const QString& lead, const QStringList& cells, const QString& who);

    const ExportProfile& m_profile;
    const ExportInput& m_input;
    QString m_text;
    QString m_problem;
};

bool Writer::worthWriting(const Line& line) const
{
    bool anyAmount = false;
    for (const ExportColumn& column : m_profile.columns) {
        const ExportSources::Source* source = ExportSources::find(column.source);
        if (!source || source->kind == Kind::Text)
            continue;
        anyAmount = true;
        if (amountOf(column.source, line) != 0)
            return true;
    }
    return !anyAmount && line.minutes.total() > 0;
}

qint64 Writer::amountOf(const QString& source, const Line& line)
{
    if (source == QLatin1String("hours"))
        return line.minutes.total();
    if (source == QLatin1String("regular_hours"))
        return line.minutes.regular;
    if (source == QLatin1String("overtime_hours"))
        return line.minutes.overtime;
    if (source == QLatin1String("double_hours"))
        return line.minutes.doubleTime;
    if (source == QLatin1String("gross"))
        return line.gross.units();
    if (source == QLatin1String("tips"))
        return line.tips.units();
    return 0;
}

QString Writer::hours(qint64 minutes) const
{
    const QString sign = minutes < 0 ? QStringLiteral("-") : QString();
    const qint64 m = minutes < 0 ? -minutes : minutes;
    if (m_profile.hours == ExportProfile::Hours::HoursMinutes)
        return sign + QString::number(m / 60) + QLatin1Char(':') +
               QStringLiteral("%1").arg(m % 60, 2, 10, QLatin1Char('0'));
    qint64 scale = 1;
    for (int i = 0; i < m_profile.decimals; ++i)
        scale *= 10;
    // Half a unit of the last place and more rounds up.
    const qint64 units = (m * scale + 30) / 60;
    QString text = sign + QString::number(units / scale);
    if (m_profile.decimals > 0)
        text += m_profile.decimalPoint +
                QStringLiteral("%1").arg(units % scale, m_profile.decimals, 10, QLatin1Char('0'));
    return text;
}

QString Writer::money(Money amount) const
{
    QString text = amount.toFixed(2);
    text.replace(QLatin1Char('.'), m_profile.decimalPoint);
    return text;
}

QString Writer::value(const ExportColumn& column, const Line& line) const
{
    if (column.source.isEmpty())
        return column.literal;
    const QString& s = column.source;
    const EmployeePay& e = *line.employee;
    const QLocale english = QLocale::c();

    if (s == QLatin1String("id"))
        return e.id;
    if (s == QLatin1String("payroll_number"))
        return line.known.payrollNumber.isEmpty() ? e.id : line.known.payrollNumber;
    const QString name = line.known.name.isEmpty() ? e.name.trimmed() : line.known.name;
    if (s == QLatin1String("name"))
        return name;
    if (s == QLatin1String("first_name") || s == QLatin1String("last_name")) {
        const bool given = !line.known.firstName.isEmpty() || !line.known.lastName.isEmpty();
        const PayrollExport::PersonName person =
            given ? PayrollExport::PersonName{line.known.firstName, line.known.lastName}
                  : PayrollExport::splitName(name);
        return s == QLatin1String("first_name") ? person.first : person.last;
    }
    if (s == QLatin1String("date"))
        return english.toString(line.date, m_profile.dateFormat);
    if (const ExportSources::Source* source = ExportSources::find(s); source && source->kind != Kind::Text) {
        const qint64 units = amountOf(s, line);
        if (column.blankWhenZero && units == 0)
            return {};
        return source->kind == Kind::Money ? money(Money::fromUnits(units)) : hours(units);
    }
    if (s == QLatin1String("double_code"))
        return line.minutes.doubleTime > 0 ? m_input.settings.adpDoubleCode : QString();
    if (s == QLatin1String("period_first"))
        return english.toString(m_input.period.first, m_profile.dateFormat);
    if (s == QLatin1String("period_last"))
        return english.toString(m_input.period.last, m_profile.dateFormat);
    return m_input.settings.value(s);
}

bool Writer::write(const QString& lead, const QStringList& cells, const QString& who)
{
    const bool iif = m_profile.format == ExportProfile::Format::Iif;
    if (m_profile.encoding == ExportProfile::Encoding::Windows1252) {
        for (const QString& cell : cells) {
            if (const QString bad = Windows1252::firstUnencodable(cell); !bad.isEmpty()) {
                m_problem = QStringLiteral("%1 \"%2\" has \"%3\", which the profile's encoding "
                                           "windows-1252 cannot hold")
                                .arg(who, cell, bad);
                return false;
            }
        }
    }
    QStringList written;
    if (!lead.isEmpty())
        written.append(lead);
    for (const QString& cell : cells) {
        if (iif) {
            // A TAB or line break inside a value would start another field or line.
            static const QRegularExpression breaks(QStringLiteral("[\t\r\n]"));
            written.append(QString(cell).replace(breaks, QStringLiteral(" ")));
        } else {
            written.append(cell);
        }
    }
    m_text += written.join(iif ? QLatin1Char('\t') : QLatin1Char(','));
    m_text += m_profile.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return true;
}

void Writer::addLines(const Line& line)
{
    if (!m_problem.isEmpty() || !worthWriting(line))
        return;
    // A long workday goes on as many lines as QuickBooks needs, in near-equal parts, each taking
    // regular minutes first, then overtime, then double time.
    const bool iif = m_profile.format == ExportProfile::Format::Iif;
    const qint64 total = line.minutes.total();
    const qint64 parts = iif && total > longestIifLine ? (total + longestIifLine - 1) / longestIifLine : 1;
    PayMinutes left = line.minutes;
    for (qint64 part = 0; part < parts; ++part) {
        Line piece = line;
        if (part > 0) { // money is whole on the first line of an employee's split row
            piece.gross = {};
            piece.tips = {};
        }
        if (parts > 1) {
            qint64 share = total / parts + (part < total % parts ? 1 : 0);
            piece.minutes = {};
            for (auto [from, to] : {std::pair{&left.regular, &piece.minutes.regular},
                                    std::pair{&left.overtime, &piece.minutes.overtime},
                                    std::pair{&left.doubleTime, &piece.minutes.doubleTime}}) {
                *to = std::min(share, *from);
                *from -= *to;
                share -= *to;
            }
        }
        QStringList cells;
        for (const ExportColumn& column : m_profile.columns) {
            const QString text = value(column, piece);
            const ExportSources::Source* source = ExportSources::find(column.source);
            const bool number = source && source->kind != Kind::Text;
            cells.append(iif ? text : number ? CsvExport::field(text) : CsvExport::textField(text));
        }
        const QString who = QStringLiteral("The value for employee %1").arg(line.employee->id);
        if (!write(iif ? QStringLiteral("TIMEACT") : QString(), cells, who))
            return;
    }
}

QByteArray Writer::bytes(QString* problem)
{
    const bool iif = m_profile.format == ExportProfile::Format::Iif;
    QStringList titles;
    for (const ExportColumn& column : m_profile.columns)
        titles.append(iif ? column.title : CsvExport::textField(column.title));
    if (iif) {
        const ExportSettings& s = m_input.settings;
        write(QStringLiteral("!TIMERHDR"),
              {QStringLiteral("VER"), QStringLiteral("REL"), QStringLiteral("COMPANYNAME"),
               QStringLiteral("FROMTIMER"), QStringLiteral("COMPANYCREATETIME")},
              QString());
        if (write(QStringLiteral("TIMERHDR"),
                  {QStringLiteral("8"), QStringLiteral("0"), s.quickbooksCompany, QStringLiteral("Y"),
                   QString::number(s.quickbooksCreateTime)},
                  QStringLiteral("The QuickBooks company")))
            write(QStringLiteral("!TIMEACT"), titles, QStringLiteral("The column title"));
    } else if (m_profile.header) {
        write(QString(), titles, QStringLiteral("The column title"));
    }

    if (m_input.pay) {
        for (const EmployeePay& e : m_input.pay->employees) {
            Line line;
            line.employee = &e;
            line.known = m_input.employees.value(e.id);
            if (m_profile.rows == ExportProfile::Rows::Employee) {
                line.minutes = e.paid;
                line.gross = e.gross;
                line.tips = e.tips;
                addLines(line);
                continue;
            }
            for (const WorkdayPay& day : e.workdays) {
                line.minutes = day.paid;
                line.date = DayNumber::toDate(day.day);
                addLines(line);
            }
        }
    }
    if (!m_problem.isEmpty()) {
        if (problem)
            *problem = m_problem;
        return {};
    }
    return m_profile.encoding == ExportProfile::Encoding::Windows1252 ? Windows1252::encode(m_text)
                                                                      : m_text.toUtf8();
}
} // namespace

QString ExportSettings::value(const QString& source) const
{
    if (source == QLatin1String("adp.company"))
        return adpCompany;
    if (source == QLatin1String("adp.batch"))
        return adpBatch;
    if (source == QLatin1String("adp.double_code"))
        return adpDoubleCode;
    if (source == QLatin1String("quickbooks.company"))
        return quickbooksCompany;
    if (source == QLatin1String("quickbooks.create_time"))
        return QString::number(quickbooksCreateTime);
    if (source == QLatin1String("quickbooks.item"))
        return quickbooksItem;
    return {};
}

QByteArray PayrollExport::bytes(const ExportProfile& profile, const ExportInput& input, QString* problem)
{
    return Writer(profile, input).bytes(problem);
}

QString PayrollExport::fileName(const ExportProfile& profile, const PayPeriod& period,
                                const ExportSettings& settings)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{([^{}]*)\\}"));
    QString name;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(profile.fileName); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        name += profile.fileName.mid(from, match.capturedStart() - from);
        const QString key = match.captured(1);
        if (key == QLatin1String("period_first"))
            name += period.first.toString(Qt::ISODate);
        else if (key == QLatin1String("period_last"))
            name += period.last.toString(Qt::ISODate);
        else
            name += settings.value(key);
        from = match.capturedEnd();
    }
    name += profile.fileName.mid(from);
    // Also what Windows refuses, as the file may be saved to a shared folder.
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(unfit, QStringLiteral("_"));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("_");
    return name;
}

bool PayrollExport::write(const ProgramPaths& paths, const QString& output, const QByteArray& bytes,
                          QString* error)
{
    if (const QString refusal = OwnFiles::refusal(paths, output); !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return false;
    }
    return OwnFiles::writeOutput(output, bytes, error);
}

PayrollExport::PersonName PayrollExport::splitName(const QString& stored)
{
    const auto [first, last] = EmployeePayroll::firstAndLastOf(stored);
    return {first, last};
}
