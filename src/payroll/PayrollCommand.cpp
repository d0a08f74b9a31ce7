#include "payroll/PayrollCommand.h"

#include "pay/PaySummary.h"
#include "payroll/PayPeriods.h"
#include "payroll/PayrollExport.h"
#include "payroll/PeriodExport.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/PeriodStates.h"

#include <QDir>
#include <QHash>
#include <QTextStream>
#include <algorithm>
#include <optional>

namespace {
constexpr int done = 0;
constexpr int nothingFound = 1;
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;
constexpr int notWritten = 6;
constexpr int lockedPeriod = 11;

const QString usage = QStringLiteral(
    "usage: tellarin payroll periods [--from YYYY-MM-DD] | approve --period FIRST-DAY [--id ID] | "
    "lock --period FIRST-DAY [--force] | reopen --period FIRST-DAY --reason TEXT | "
    "export --period FIRST-DAY --profile adp|quickbooks|gusto|FILE.ini [--output FILE]");

QString iso(const QDate& day)
{
    return day.toString(Qt::ISODate);
}

int fail(QTextStream& err, const QString& name, const QString& message, int code)
{
    err << name << ": " << message << '\n';
    return code;
}

// One run of a subcommand: its options read, the calendar in force, the stamp of who acts.
struct Run {
    const Services& services;
    Session& session;
    QString name; // "payroll approve"
    CommandOptions options;
    QTextStream& out;
    QTextStream& err;

    EditStamp stamp() const { return {services.time.now(), EditHistory::workstationUser()}; }

    // The period --period names; a day inside a period is refused naming that period.
    std::optional<PayPeriod> period(int* code) const
    {
        *code = badArguments;
        const QString typed = options.value(QStringLiteral("--period"));
        if (!options.has(QStringLiteral("--period"))) {
            fail(err, name, QStringLiteral("--period is missing (%1)").arg(usage), badArguments);
            return std::nullopt;
        }
        const qint32 dayNumber = DayNumber::fromIso(typed);
        if (dayNumber == 0) {
            fail(err, name,
                 QStringLiteral("--period \"%1\" is not a date of the form YYYY-MM-DD")
                     .arg(CommandOptions::shown(typed)),
                 badArguments);
            return std::nullopt;
        }
        const QDate day = DayNumber::toDate(dayNumber);
        const PeriodCalendar calendar = PeriodCalendar::inForce(services.database, session.settings());
        if (const std::optional<PayPeriod> starting = calendar.startingOn(day))
            return starting;
        const PayPeriod holding = calendar.containing(day);
        fail(err, name,
             QStringLiteral("%1 is not the first day of a pay period: it lies in %2, which begins on %3")
                 .arg(iso(day), holding.text(), iso(holding.first)),
             badArguments);
        return std::nullopt;
    }

    std::optional<StoredPeriod> stored(const PayPeriod& period) const
    {
        return PeriodStates(services.database).find(period.first);
    }

    // The employees paid for the period, in the form IDs compare in.
    QStringList paid(const PayPeriod& period) const
    {
        PaySummary summary(PaySummary::requestFor(session, DayNumber::of(period.first),
                                                  DayNumber::of(period.last),
                                                  RoundingCode(session.settings().payRounding)),
                           session.settings(), session.departments());
        summary.load(services.database, session.employees().entries);
        QStringList ids;
        for (const EmployeePay& e : summary.result().employees)
            ids.append(e.id);
        return ids;
    }
};

int periods(const Run& run)
{
    const QDate today = run.services.time.today();
    QDate from = today.addYears(-1);
    if (run.options.has(QStringLiteral("--from"))) {
        const qint32 day = DayNumber::fromIso(run.options.value(QStringLiteral("--from")));
        if (day == 0)
            return fail(run.err, run.name,
                        QStringLiteral("--from \"%1\" is not a date of the form YYYY-MM-DD")
                            .arg(CommandOptions::shown(run.options.value(QStringLiteral("--from")))),
                        badArguments);
        from = DayNumber::toDate(day);
    }
    if (from > today)
        return fail(run.err, run.name, QStringLiteral("--from %1 is after today").arg(iso(from)),
                    badArguments);
    QHash<QDate, StoredPeriod> stored;
    QList<PayPeriod> older; // stored before the list's first day, listed too without --from
    if (PeriodStates::hasTables(run.services.database))
        for (const StoredPeriod& p : PeriodStates(run.services.database).all()) {
            stored.insert(p.days.first, p);
            if (p.days.last < from)
                older.prepend({p.days.first, p.days.last});
        }
    const PeriodCalendar calendar = PeriodCalendar::inForce(run.services.database, run.session.settings());
    QList<PayPeriod> listed = calendar.overlapping(from, today);
    if (!run.options.has(QStringLiteral("--from")))
        listed += older;
    for (const PayPeriod& p : listed) {
        const auto s = stored.constFind(p.first);
        const StoredPeriod::State state = s == stored.cend() ? StoredPeriod::State::Open : s->state();
        run.out << "period\t" << iso(p.first) << '\t' << iso(p.last) << '\t' << StoredPeriod::stateWord(state)
                << '\n';
    }
    return done;
}

int approve(const Run& run)
{
    int code = 0;
    const std::optional<PayPeriod> period = run.period(&code);
    if (!period)
        return code;
    const QString id = run.options.value(QStringLiteral("--id"));
    if (run.options.has(QStringLiteral("--id"))) {
        // An approval under a mistyped ID would approve nobody: the ID must be one of the staff's or
        // have hours in the period.
        const QList<Employee>& staff = run.session.employees().entries;
        if (std::none_of(staff.cbegin(), staff.cend(),
                         [&](const Employee& e) { return EmployeeId::same(e.employeeId, id); }) &&
            !run.paid(*period).contains(EmployeeId::normalised(id)))
            return fail(
                run.err, run.name,
                QStringLiteral("no employee has the ID \"%1\"").arg(CommandOptions::shown(id.trimmed())),
                nothingFound);
    }
    const std::optional<StoredPeriod> stored = run.stored(*period);
    try {
        PeriodStates(run.services.database).approve({period->first, period->last}, id, run.stamp());
    } catch (const PeriodStates::Refused& refused) {
        return fail(run.err, run.name, refused.message(),
                    stored && stored->locked ? lockedPeriod : badArguments);
    }
    return done;
}

int lock(const Run& run)
{
    int code = 0;
    const std::optional<PayPeriod> period = run.period(&code);
    if (!period)
        return code;
    const std::optional<StoredPeriod> stored = run.stored(*period);
    if (stored && stored->locked)
        return fail(run.err, run.name,
                    QStringLiteral("The pay period %1 is already locked.").arg(period->text()), lockedPeriod);
    // As the window asks first, the command needs --force to lock hours nobody approved.
    if (!run.options.flag(QStringLiteral("--force")) &&
        (!stored || stored->state() != StoredPeriod::State::Approved)) {
        QStringList unapproved;
        for (const QString& id : run.paid(*period))
            if (!stored || !stored->approvedFor(id))
                unapproved.append(id);
        if (!unapproved.isEmpty())
            return fail(
                run.err, run.name,
                QStringLiteral("The pay period %1 is not approved for %2. --force locks it anyway.")
                    .arg(period->text(), CommandOptions::shown(unapproved.join(QStringLiteral(", ")))),
                badArguments);
    }
    try {
        PeriodStates(run.services.database).lock({period->first, period->last}, run.stamp());
    } catch (const PeriodStates::Refused& refused) {
        return fail(run.err, run.name, refused.message(), badArguments);
    }
    return done;
}

int reopen(const Run& run)
{
    int code = 0;
    const std::optional<PayPeriod> period = run.period(&code);
    if (!period)
        return code;
    const QString reason = run.options.value(QStringLiteral("--reason")).trimmed();
    if (reason.isEmpty())
        return fail(run.err, run.name,
                    QStringLiteral("--reason is missing: reopening a pay period needs one"), badArguments);
    try {
        PeriodStates(run.services.database).reopen(period->first, reason, run.stamp());
    } catch (const PeriodStates::Refused& refused) {
        return fail(run.err, run.name, refused.message(), badArguments);
    }
    return done;
}

int exportPeriod(const Run& run)
{
    int code = 0;
    const std::optional<PayPeriod> period = run.period(&code);
    if (!period)
        return code;
    if (!run.options.has(QStringLiteral("--profile")))
        return fail(run.err, run.name, QStringLiteral("--profile is missing (%1)").arg(usage), badArguments);
    QString problem;
    const std::optional<ExportProfile> profile =
        ExportProfile::load(run.options.value(QStringLiteral("--profile")), &problem);
    if (!profile)
        return fail(run.err, run.name, problem, badArguments);
    const PeriodExport::Outcome made = PeriodExport::make(run.services, run.session, *period, *profile);
    if (made.nothing)
        return fail(run.err, run.name, made.problem, nothingFound);
    if (made.bytes.isEmpty())
        return fail(run.err, run.name, made.problem, notWritten);
    const QString output = run.options.has(QStringLiteral("--output"))
                               ? run.options.value(QStringLiteral("--output"))
                               : QDir::current().filePath(made.fileName);
    QString error;
    if (!PayrollExport::write(run.session.paths(), output, made.bytes, &error))
        return fail(run.err, run.name, error, notWritten);
    const QString warning = PeriodExport::warning(*period, run.stored(*period));
    if (!warning.isEmpty())
        run.err << run.name << ": " << warning << '\n';
    run.out << QDir::toNativeSeparators(output) << '\n';
    return done;
}
} // namespace

bool PayrollCommand::writes(const QStringList& words)
{
    static const QStringList changes{QStringLiteral("approve"), QStringLiteral("lock"),
                                     QStringLiteral("reopen")};
    return changes.contains(words.value(0));
}

int PayrollCommand::run(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                        QTextStream& err)
{
    using Handler = int (*)(const Run&);
    const struct {
        const char* word;
        Handler handler;
        QStringList valued;
        QStringList flags;
    } subcommands[] = {
        {"periods", &periods, {QStringLiteral("--from")}, {}},
        {"approve", &approve, {QStringLiteral("--period"), QStringLiteral("--id")}, {}},
        {"lock", &lock, {QStringLiteral("--period")}, {QStringLiteral("--force")}},
        {"reopen", &reopen, {QStringLiteral("--period"), QStringLiteral("--reason")}, {}},
        {"export",
         &exportPeriod,
         {QStringLiteral("--period"), QStringLiteral("--profile"), QStringLiteral("--output")},
         {}},
    };
    const QString word = args.value(0);
    for (const auto& sub : subcommands) {
        if (word != QLatin1String(sub.word))
            continue;
        const QString name = QStringLiteral("payroll ") + word;
        const CommandOptions options = CommandOptions::parse(name, args.mid(1), sub.valued, sub.flags);
        if (!options.ok()) {
            err << options.problem() << '\n';
            return badArguments;
        }
        // The files are the truth: a window of a running program may have saved since the start.
        session.reloadStaffFiles();
        try {
            return sub.handler({services, session, name, options, out, err});
        } catch (const DatabaseError& error) {
            err << name << ": " << error.userMessage().simplified() << '\n';
            return databaseProblem;
        }
    }
    err << "payroll: "
        << (word.isEmpty() ? QStringLiteral("a subcommand is missing")
                           : QStringLiteral("unknown subcommand \"%1\"").arg(CommandOptions::shown(word)))
        << " (" << usage << ")\n";
    return badArguments;
}
