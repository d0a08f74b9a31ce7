#include "pay/PayCommand.h"

#include "pay/PayDocument.h"
#include "pay/PaySummary.h"
#include "platform/CommandOptions.h"
#include "reports/ReportChoices.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/StaffFiles.h"

#include <QTextStream>

int runPayCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                  QTextStream& err)
{
    const QString command = QStringLiteral("pay");
    const CommandOptions a = CommandOptions::parse(command, args, ReportChoices::options());
    if (!a.ok()) {
        err << a.problem() << Qt::endl;
        return 2;
    }
    int exit = 0;
    const std::optional<ReportChoices> choices = ReportChoices::read(command, a, session.paths(), err, &exit);
    if (!choices)
        return exit;
    // The files are the truth: a window of a running program may have saved since the start.
    session.reloadStaffFiles();
    // Pay is rounded as the pay settings say unless the command names a rounding.
    const std::optional<RoundingCode> rounding =
        a.has(QStringLiteral("--rounding")) ? std::optional(choices->rounding) : std::nullopt;
    PaySummary summary(PaySummary::requestFor(session, choices->firstDay, choices->lastDay, rounding),
                       session.settings(), session.departments());
    try {
        if (!summary.load(services.database, session.employees().entries)) {
            err << "pay: no employee has a complete IN and OUT in the period" << Qt::endl;
            return 1;
        }
    } catch (const DatabaseError& error) {
        err << error.userMessage()
                   .replace(QLatin1Char('\n'), QLatin1Char(' '))
                   .replace(QLatin1Char('\r'), QString())
            << Qt::endl;
        return 3;
    }
    return choices->write(command,
                          {[&](QTextStream& s) { summary.writeLines(s); },
                           [&](QTextStream& s) { summary.writeCsv(s); },
                           [&](QIODevice& d) {
                               return PayDocument::writePdf(summary, d, choices->print);
                           }},
                          out, err);
}
