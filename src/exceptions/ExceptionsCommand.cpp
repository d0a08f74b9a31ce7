#include "exceptions/ExceptionsCommand.h"

#include "exceptions/PunchExceptions.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/StoredTime.h"

#include <QDate>

namespace {
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;
constexpr int exceptionsFound = 10;
const char* const usage = "usage: exceptions --from YYYY-MM-DD [--to YYYY-MM-DD] [--kind KIND]";

// Every kind's name, for the message that refuses an unknown one.
QString kindList()
{
    QStringList names;
    for (int k = 0; k <= static_cast<int>(ExceptionKind::EditedAfterLock); ++k)
        names.append(PunchExceptions::kindName(static_cast<ExceptionKind>(k)));
    return names.join(QStringLiteral(", "));
}
} // namespace

int runExceptionsCommand(const Services& services, Session&, const QStringList& args, QTextStream& out,
                         QTextStream& err)
{
    const QString from = QStringLiteral("--from");
    const QString to = QStringLiteral("--to");
    const QString kind = QStringLiteral("--kind");
    const CommandOptions options =
        CommandOptions::parse(QStringLiteral("exceptions"), args, {from, to, kind});
    if (!options.ok()) {
        err << options.problem() << '\n';
        return badArguments;
    }
    ExceptionQuery query;
    for (const auto& [name, day] : {std::pair{from, &query.firstDay}, std::pair{to, &query.lastDay}}) {
        if (!options.has(name))
            continue;
        const QString value = options.value(name);
        const QDate date = QDate::fromString(value, Qt::ISODate);
        // Day numbers start at 1900; an earlier date holds no records and would not count days.
        if (!date.isValid() || value.size() != 10 || DayNumber::of(date) < 1) {
            err << "exceptions: " << name << " \"" << CommandOptions::shown(value)
                << "\" is not a date of the form YYYY-MM-DD\n";
            return badArguments;
        }
        *day = DayNumber::of(date);
    }
    if (query.firstDay == 0) {
        err << "exceptions: the first day is missing; " << usage << '\n';
        return badArguments;
    }
    if (query.lastDay == 0)
        query.lastDay = query.firstDay;
    if (query.lastDay < query.firstDay) {
        err << "exceptions: --to " << options.value(to) << " is before --from " << options.value(from)
            << '\n';
        return badArguments;
    }
    std::optional<ExceptionKind> only;
    if (options.has(kind)) {
        only = PunchExceptions::kindNamed(options.value(kind));
        if (!only) {
            err << "exceptions: no kind \"" << CommandOptions::shown(options.value(kind))
                << "\"; the kinds are " << kindList() << '\n';
            return badArguments;
        }
    }

    ExceptionRules rules;
    rules.now = ReportRows::clockSeconds(StoredTime::toText(services.time.now()).toUtf8());
    QList<PunchException> list;
    try {
        list = PunchExceptions::load(services.database, query, rules);
    } catch (const DatabaseError& error) {
        err << "exceptions: " << error.userMessage().simplified() << '\n';
        return databaseProblem;
    }
    qsizetype shown = 0;
    for (const PunchException& e : list) {
        if (only && e.kind != *only)
            continue;
        out << "exception\t" << PunchExceptions::kindName(e.kind) << '\t' << e.recordNumber << '\t'
            << e.employeeId << '\t' << e.employee << '\t' << PunchExceptions::timeText(e.time) << '\t'
            << e.detail << '\n';
        ++shown;
    }
    return shown == 0 ? 0 : exceptionsFound;
}
