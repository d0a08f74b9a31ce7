#include "exceptions/ExceptionsCommand.h"

#include "exceptions/PunchExceptions.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/StoredTime.h"

#include <QDate>

namespace {
constexpr int nothingFound = 1;
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;
constexpr int exceptionsFound = 10;
const char* const usage = "usage: exceptions --from YYYY-MM-DD [--to YYYY-MM-DD] [--kind KIND] [--all]";
const char* const resolveUsage = "usage: exceptions resolve --record N --kind KIND [--note TEXT]";

// Every kind's name, for the message that refuses an unknown one.
QString kindList()
{
    QStringList names;
    for (int k = 0; k <= static_cast<int>(ExceptionKind::EditedAfterLock); ++k)
        names.append(PunchExceptions::kindName(static_cast<ExceptionKind>(k)));
    return names.join(QStringLiteral(", "));
}

std::optional<ExceptionKind> kindOf(const QString& name, QTextStream& err)
{
    const std::optional<ExceptionKind> kind = PunchExceptions::kindNamed(name);
    if (!kind)
        err << "exceptions: no kind \"" << CommandOptions::shown(name) << "\"; the kinds are " << kindList()
            << '\n';
    return kind;
}

// The detail, and for a resolved exception who let it stand, when and why.
QString detailOf(const PunchException& e)
{
    if (!e.resolution)
        return e.detail;
    const Resolution& r = *e.resolution;
    return QStringLiteral("%1 [resolved by %2 %3%4]")
        .arg(e.detail, r.user, StoredTime::toText(r.when).left(16),
             r.note.isEmpty() ? QString() : QStringLiteral(": ") + r.note);
}

int resolve(const Services& services, Session& session, const QStringList& args, QTextStream& out,
            QTextStream& err)
{
    const QString record = QStringLiteral("--record");
    const QString kind = QStringLiteral("--kind");
    const QString note = QStringLiteral("--note");
    const CommandOptions options =
        CommandOptions::parse(QStringLiteral("exceptions resolve"), args, {record, kind, note});
    if (!options.ok()) {
        err << options.problem() << '\n';
        return badArguments;
    }
    if (!options.has(record) || !options.has(kind)) {
        err << "exceptions resolve: " << (options.has(record) ? "--kind" : "--record") << " is missing; "
            << resolveUsage << '\n';
        return badArguments;
    }
    bool isNumber = false;
    const qint64 number = options.value(record).toLongLong(&isNumber);
    if (!isNumber || number <= 0) {
        err << "exceptions resolve: --record \"" << CommandOptions::shown(options.value(record))
            << "\" is not a record number\n";
        return badArguments;
    }
    const std::optional<ExceptionKind> which = kindOf(options.value(kind), err);
    if (!which)
        return badArguments;
    try {
        const EditStamp stamp{services.time.now(), EditHistory::workstationUser()};
        const std::optional<PunchException> resolved = PunchExceptions::resolve(
            services.database, number, *which, options.has(note) ? options.value(note) : QString(),
            ExceptionRules::of(session.settings(), stamp.when), stamp);
        if (!resolved) {
            err << "exceptions resolve: record " << number << " has no " << options.value(kind)
                << " exception\n";
            return nothingFound;
        }
        out << "resolved\t" << PunchExceptions::kindName(resolved->kind) << '\t' << number << '\n';
    } catch (const DatabaseError& error) {
        err << "exceptions resolve: " << error.userMessage().simplified() << '\n';
        return databaseProblem;
    }
    return 0;
}
} // namespace

bool ExceptionsCommand::writes(const QStringList& words)
{
    return words.value(0) == QLatin1String("resolve");
}

int runExceptionsCommand(const Services& services, Session& session, const QStringList& args,
                         QTextStream& out, QTextStream& err)
{
    if (args.value(0) == QLatin1String("resolve"))
        return resolve(services, session, args.mid(1), out, err);
    const QString from = QStringLiteral("--from");
    const QString to = QStringLiteral("--to");
    const QString kind = QStringLiteral("--kind");
    const QString all = QStringLiteral("--all");
    const CommandOptions options =
        CommandOptions::parse(QStringLiteral("exceptions"), args, {from, to, kind}, {all});
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
        only = kindOf(options.value(kind), err);
        if (!only)
            return badArguments;
    }
    query.includeResolved = options.flag(all);

    const ExceptionRules rules = ExceptionRules::of(session.settings(), services.time.now());
    QList<PunchException> list;
    try {
        list = PunchExceptions::load(services.database, query, rules);
        PunchExceptions::nameFromStaff(list, session.employees().entries);
    } catch (const DatabaseError& error) {
        err << "exceptions: " << error.userMessage().simplified() << '\n';
        return databaseProblem;
    }
    qsizetype open = 0;
    for (const PunchException& e : list) {
        if (only && e.kind != *only)
            continue;
        out << "exception\t" << PunchExceptions::kindName(e.kind) << '\t' << e.recordNumber << '\t'
            << e.employeeId << '\t' << e.employee << '\t' << PunchExceptions::timeText(e.time) << '\t'
            << detailOf(e) << '\n';
        if (!e.resolution)
            ++open;
    }
    return open == 0 ? 0 : exceptionsFound;
}
