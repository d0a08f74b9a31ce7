#include "reports/ReportCommand.h"

#include "clock/ForcedClockOut.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "reports/ReportChoices.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTexts.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QTextStream>

namespace {
enum Exit { NothingFound = 1, BadArguments = 2, DatabaseProblem = 3 };
} // namespace

int runReportCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                     QTextStream& err)
{
    return runReportCommandWith(services, session, args, out, err, {});
}

int runReportCommandWith(const Services& services, Session& session, const QStringList& args,
                         QTextStream& out, QTextStream& err, const ReportDocument::PairPaySource& pairPay)
{
    const QString command = QStringLiteral("report");
    const CommandOptions a =
        CommandOptions::parse(command, args, ReportChoices::options() << QStringLiteral("--by"));
    if (!a.ok()) {
        err << a.problem() << Qt::endl;
        return BadArguments;
    }
    int exit = 0;
    const std::optional<ReportChoices> choices = ReportChoices::read(command, a, session.paths(), err, &exit);
    if (!choices)
        return exit;
    ReportRequest request{choices->firstDay, choices->lastDay, true, choices->rounding};
    const QString by = a.value(QStringLiteral("--by"), QStringLiteral("employee"));
    if (by != QLatin1String("employee") && by != QLatin1String("department")) {
        err << QStringLiteral("report: --by must be employee or department, not \"%1\"")
                   .arg(CommandOptions::shown(by))
            << Qt::endl;
        return BadArguments;
    }
    request.employeeReport = by == QLatin1String("employee");

    ReportDocument document(services.time, session, request, pairPay);
    try {
        // A read-only copy reports what it holds; the clock station itself closes the long INs.
        if (!services.database.isReadOnly())
            ForcedClockOut(services.database, services.time).run(session);
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
    return choices->write(command,
                          {[&](QTextStream& s) { document.writeLines(s); },
                           [&](QTextStream& s) { document.writeCsv(s); },
                           [&](QIODevice& d) {
                               return document.writePdf(d, choices->print);
                           }},
                          out, err);
}
