#include "reports/WhoIsInCommand.h"

#include "clock/LateArrivals.h"
#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "reports/WhoIsIn.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

namespace {
int printExpected(const Services& services, const Session& session, QTextStream& out, QTextStream& err)
{
    QList<LateArrivals::Entry> late;
    try {
        late =
            LateArrivals::load(services.database, services.time.now(), session.settings().lateAfterMinutes);
    } catch (const DatabaseError& error) {
        err << "who-is-in: " << error.userMessage().simplified() << '\n';
        return 3;
    }
    if (late.isEmpty()) {
        err << "who-is-in: nobody expected by the schedule is missing\n";
        return 1;
    }
    for (const LateArrivals::Entry& e : late)
        out << "expected\t" << e.employeeId << '\t' << e.name << '\t'
            << e.start.toString(QStringLiteral("HH:mm")) << '\n';
    return 0;
}
} // namespace

int runWhoIsInCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err)
{
    const CommandOptions options = CommandOptions::parse(
        QStringLiteral("who-is-in"), args, {QStringLiteral("--days")}, {QStringLiteral("--expected")});
    if (!options.ok()) {
        err << options.problem() << '\n';
        return 2;
    }
    if (options.flag(QStringLiteral("--expected"))) {
        if (options.has(QStringLiteral("--days"))) {
            err << "who-is-in: --expected goes by today's schedule and takes no --days\n";
            return 2;
        }
        return printExpected(services, session, out, err);
    }
    qint16 days = WhoIsIn::defaultDays;
    if (options.has(QStringLiteral("--days"))) {
        const QString value = options.value(QStringLiteral("--days"));
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < 1 || number > WhoIsIn::maximumDays) {
            err << "who-is-in: --days needs a whole number from 1 to 31, not \""
                << CommandOptions::shown(value) << "\"\n";
            return 2;
        }
        days = static_cast<qint16>(number);
    }

    std::optional<WhoIsIn::Lists> lists;
    try {
        lists = WhoIsIn::load(services.database, services.time.today(), days);
    } catch (const DatabaseError& error) {
        err << "who-is-in: " << error.userMessage().simplified() << '\n';
        return 3;
    }
    if (!lists || (lists->in.isEmpty() && lists->out.isEmpty())) {
        err << "who-is-in: no clock records in the last " << days << " days\n";
        return 1;
    }
    const auto print = [&](const char* word, const QList<WhoIsIn::Entry>& entries) {
        for (const WhoIsIn::Entry& e : entries)
            out << word << '\t' << e.employeeId << '\t' << e.name << '\t'
                << e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\n';
    };
    print("in", lists->in);
    print("out", lists->out);
    return 0;
}
