#include "reports/ReportCommand.h"

#include "clock/ForcedClockOut.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "reports/PrintSettings.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTexts.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/OwnFiles.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {
enum Exit { Done = 0, NothingFound = 1, BadArguments = 2, DatabaseProblem = 3, OutputFailed = 6 };

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

int runReportCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                     QTextStream& err)
{
    const CommandOptions a = CommandOptions::parse(QStringLiteral("report"), args,
                                                   {QStringLiteral("--from"), QStringLiteral("--to"),
                                                    QStringLiteral("--by"), QStringLiteral("--rounding"),
                                                    QStringLiteral("--format"), QStringLiteral("--output")});
    if (!a.ok()) {
        err << a.problem() << Qt::endl;
        return BadArguments;
    }
    const auto bad = [&](const QString& text) {
        err << QStringLiteral("report: ") << text << Qt::endl;
        return BadArguments;
    };

    ReportRequest request;
    for (const auto& [option, day] : {std::pair{QStringLiteral("--from"), &request.firstDay},
                                      std::pair{QStringLiteral("--to"), &request.lastDay}}) {
        if (!a.has(option))
            continue;
        *day = dayOf(a.value(option));
        if (*day == 0)
            return bad(QStringLiteral("%1 \"%2\" is not a date of the form YYYY-MM-DD")
                           .arg(option, CommandOptions::shown(a.value(option))));
    }
    if (request.firstDay == 0)
        return bad(ReportTexts::CheckDate(0, request.lastDay)->text + QStringLiteral(" (--from YYYY-MM-DD)"));
    request = request.completed();
    if (const auto problem = ReportTexts::CheckDate(request.firstDay, request.lastDay))
        return bad(problem->text);

    const QString by = a.value(QStringLiteral("--by"), QStringLiteral("employee"));
    if (by != QLatin1String("employee") && by != QLatin1String("department"))
        return bad(
            QStringLiteral("--by must be employee or department, not \"%1\"").arg(CommandOptions::shown(by)));
    request.employeeReport = by == QLatin1String("employee");

    PrintSettings print = PrintDat::load(PrintDat::path(session.paths()));
    request.rounding = RoundingCode(print.roundingCode);
    if (a.has(QStringLiteral("--rounding"))) {
        const auto code = RoundingCode::parse(a.value(QStringLiteral("--rounding")));
        if (!code)
            return bad(
                QStringLiteral("--rounding must be two digits from 1 to 5 (IN rule, OUT rule), not \"%1\"")
                    .arg(CommandOptions::shown(a.value(QStringLiteral("--rounding")))));
        request.rounding = *code;
    }

    const QString format = a.value(QStringLiteral("--format"), QStringLiteral("lines"));
    if (format != QLatin1String("lines") && format != QLatin1String("csv") && format != QLatin1String("pdf"))
        return bad(QStringLiteral("--format must be lines, csv or pdf, not \"%1\"")
                       .arg(CommandOptions::shown(format)));
    const QString output = a.value(QStringLiteral("--output"));
    if (format == QLatin1String("pdf") && output.isEmpty())
        return bad(QStringLiteral("--format pdf needs --output FILE"));
    if (!output.isEmpty()) {
        if (const QString refusal = OwnFiles::refusal(session.paths(), output); !refusal.isEmpty()) {
            err << QStringLiteral("report: ") << refusal << Qt::endl;
            return OutputFailed;
        }
    }

    ReportDocument document(services.time, session, request);
    try {
        // A read-only copy reports what it holds; the clock station itself closes the long INs.
        if (!services.database.isReadOnly())
            ForcedClockOut(services.database, services.time).run(session.settings());
        if (!document.load(services.database)) {
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

    if (format == QLatin1String("pdf") && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << QStringLiteral("report: PDF output needs the graphics application") << Qt::endl;
        return OutputFailed;
    }
    if (output.isEmpty()) {
        if (format == QLatin1String("csv"))
            document.writeCsv(out);
        else
            document.writeLines(out);
        out.flush();
        return Done;
    }
    // Through a temporary file renamed into place: a failed write leaves an earlier report whole.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        err << QStringLiteral("report: cannot write \"%1\": %2")
                   .arg(CommandOptions::shown(output), file.errorString())
            << Qt::endl;
        return OutputFailed;
    }
    bool drawn = true;
    if (format == QLatin1String("pdf")) {
        drawn = document.writePdf(file, print);
    } else {
        QTextStream toFile(&file);
        if (format == QLatin1String("csv"))
            document.writeCsv(toFile);
        else
            document.writeLines(toFile);
        toFile.flush();
    }
    if (!drawn || !file.commit()) {
        file.cancelWriting();
        err << QStringLiteral("report: cannot write \"%1\": %2")
                   .arg(CommandOptions::shown(output), file.errorString())
            << Qt::endl;
        return OutputFailed;
    }
    return Done;
}
