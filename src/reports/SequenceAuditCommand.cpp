#include "reports/SequenceAuditCommand.h"

#include "platform/CommandOptions.h"
#include "reports/SequenceAudit.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"

#include <QDate>
#include <QLocale>

namespace {
constexpr int violationsFound = 5;
const char* const usage = "usage: audit --from YYYY-MM-DD [--to YYYY-MM-DD]";
} // namespace

int runAuditCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                    QTextStream& err)
{
    const CommandOptions options = CommandOptions::parse(QStringLiteral("audit"), args,
                                                         {QStringLiteral("--from"), QStringLiteral("--to")});
    if (!options.ok()) {
        err << options.problem() << '\n';
        return 2;
    }
    QDate from;
    QDate to;
    for (const auto& [name, date] :
         {std::pair{QStringLiteral("--from"), &from}, std::pair{QStringLiteral("--to"), &to}}) {
        if (!options.has(name))
            continue;
        const QString value = options.value(name);
        *date = QDate::fromString(value, Qt::ISODate);
        if (!date->isValid()) {
            err << "audit: \"" << CommandOptions::shown(value) << "\" is not a date of the form YYYY-MM-DD\n";
            return 2;
        }
    }
    if (!from.isValid()) {
        err << "audit: the first day is missing; " << usage << '\n';
        return 2;
    }
    if (to.isValid() && to < from) {
        err << "audit: --to " << to.toString(Qt::ISODate) << " is before --from "
            << from.toString(Qt::ISODate) << '\n';
        return 2;
    }

    const SequenceAudit::Period period{DayNumber::of(from), to.isValid() ? DayNumber::of(to) : 0};
    SequenceAudit::Result result;
    try {
        result = SequenceAudit::run(services.database, period);
        if (result.tableEmpty) {
            err << "audit: " << SequenceAudit::noRecordsText << '\n';
            return 1;
        }
        const QStringList lines = SequenceAudit::lines(
            result, session.settings().clock12Hour, QLocale(),
            SequenceAudit::changeNotes(services.database, session.settings().clock12Hour));
        for (const QString& line : lines)
            out << line << '\n';
    } catch (const DatabaseError& error) {
        err << "audit: " << error.userMessage().simplified() << '\n';
        return 3;
    }
    return result.violations.isEmpty() ? 0 : violationsFound;
}
