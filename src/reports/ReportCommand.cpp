#include "reports/ReportCommand.h"

#include "clock/ForcedClockOut.h"
#include "platform/TimeSource.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTexts.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>

namespace {
enum Exit { Done = 0, NothingFound = 1, BadArguments = 2, DatabaseProblem = 3, OutputFailed = 6 };

struct Arguments {
    QHash<QString, QString> values;
    QString problem;
};

Arguments parse(const QStringList& args)
{
    static const QStringList known = {
        QStringLiteral("--from"),          QStringLiteral("--to"),     QStringLiteral("--by"),
        QStringLiteral("--rounding"),      QStringLiteral("--format"), QStringLiteral("--output"),
        QStringLiteral("--program-folder")};
    Arguments result;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        if (!known.contains(name)) {
            result.problem = QStringLiteral("report: unknown argument \"%1\"").arg(args[i]);
            return result;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                result.problem = QStringLiteral("report: %1 needs a value").arg(name);
                return result;
            }
            value = args[++i];
        }
        if (result.values.contains(name)) {
            result.problem = QStringLiteral("report: %1 given twice").arg(name);
            return result;
        }
        result.values.insert(name, value);
    }
    return result;
}

// YYYY-MM-DD as a day number; 0 when it is no such date.
qint32 dayOf(const QString& text)
{
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!iso.match(text).hasMatch())
        return 0;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() && DayNumber::of(date) >= 1 ? DayNumber::of(date) : 0;
}
} // namespace

int runReportCommand(ProgramState& state, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const Arguments a = parse(args);
    if (!a.problem.isEmpty()) {
        err << a.problem << Qt::endl;
        return BadArguments;
    }
    const auto bad = [&](const QString& text) {
        err << QStringLiteral("report: ") << text << Qt::endl;
        return BadArguments;
    };

    ReportRequest request;
    for (const auto& [option, day] : {std::pair{QStringLiteral("--from"), &request.firstDay},
                                      std::pair{QStringLiteral("--to"), &request.lastDay}}) {
        if (!a.values.contains(option))
            continue;
        *day = dayOf(a.values.value(option));
        if (*day == 0)
            return bad(QStringLiteral("%1 \"%2\" is not a date of the form YYYY-MM-DD")
                           .arg(option, a.values.value(option)));
    }
    if (request.firstDay == 0)
        return bad(ReportTexts::CheckDate(0, request.lastDay)->text + QStringLiteral(" (--from YYYY-MM-DD)"));
    request = request.completed();
    if (const auto problem = ReportTexts::CheckDate(request.firstDay, request.lastDay))
        return bad(problem->text);

    const QString by = a.values.value(QStringLiteral("--by"), QStringLiteral("employee"));
    if (by != QLatin1String("employee") && by != QLatin1String("department"))
        return bad(QStringLiteral("--by must be employee or department, not \"%1\"").arg(by));
    request.employeeReport = by == QLatin1String("employee");

    PrintSettings print = PrintDat::load(PrintDat::path(state.paths));
    request.rounding = RoundingCode(print.roundingCode);
    if (a.values.contains(QStringLiteral("--rounding"))) {
        const auto code = RoundingCode::parse(a.values.value(QStringLiteral("--rounding")));
        if (!code)
            return bad(
                QStringLiteral("--rounding must be two digits from 1 to 5 (IN rule, OUT rule), not \"%1\"")
                    .arg(a.values.value(QStringLiteral("--rounding"))));
        request.rounding = *code;
    }

    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("lines"));
    if (format != QLatin1String("lines") && format != QLatin1String("csv") && format != QLatin1String("pdf"))
        return bad(QStringLiteral("--format must be lines, csv or pdf, not \"%1\"").arg(format));
    const QString output = a.values.value(QStringLiteral("--output"));
    if (format == QLatin1String("pdf") && output.isEmpty())
        return bad(QStringLiteral("--format pdf needs --output FILE"));

    ReportDocument document(state, request);
    try {
        ForcedClockOut(state.database, state.time).run(state.settings);
        if (!document.load(state.database)) {
            err << ReportTexts::noRecordsText() << Qt::endl;
            return NothingFound;
        }
    } catch (const DatabaseError& error) {
        err << error.userMessage()
                   .replace(QLatin1Char('\n'), QLatin1Char(' '))
                   .replace(QLatin1Char('\r'), QString())
            << Qt::endl;
        return DatabaseProblem;
    }

    if (format == QLatin1String("pdf")) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            err << QStringLiteral("report: PDF output needs the graphics application") << Qt::endl;
            return OutputFailed;
        }
        if (!document.writePdf(output, print)) {
            err << QStringLiteral("report: cannot write \"%1\"").arg(output) << Qt::endl;
            return OutputFailed;
        }
        return Done;
    }

    QFile file(output);
    QTextStream toFile(&file);
    if (!output.isEmpty() && !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err << QStringLiteral("report: cannot write \"%1\": %2").arg(output, file.errorString()) << Qt::endl;
        return OutputFailed;
    }
    QTextStream& target = output.isEmpty() ? out : toFile;
    if (format == QLatin1String("csv"))
        document.writeCsv(target);
    else
        document.writeLines(target);
    target.flush();
    if (!output.isEmpty() && file.error() != QFileDevice::NoError) {
        err << QStringLiteral("report: cannot write \"%1\": %2").arg(output, file.errorString()) << Qt::endl;
        return OutputFailed;
    }
    return Done;
}
