#include "staff/PayRateCommand.h"

#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "staff/PayRateEditing.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/PayRateTable.h"

namespace {
const QString usage =
    QStringLiteral("usage: tellarin employees rate --id ID --from YYYY-MM-DD --rate AMOUNT | "
                   "--id ID --list | --id ID --from YYYY-MM-DD --remove");

QString dayText(qint32 day)
{
    return DayNumber::toDate(day).toString(Qt::ISODate);
}

} // namespace

int runPayRateCommand(const Services& services, const Session& session, const CommandOptions& options,
                      QTextStream& out, QTextStream& err)
{
    const bool listing = options.flag(QStringLiteral("--list"));
    const bool removing = options.flag(QStringLiteral("--remove"));
    const bool setting = options.has(QStringLiteral("--rate"));
    const QString id = options.value(QStringLiteral("--id"));
    if (id.isEmpty() || int(listing) + int(removing) + int(setting) != 1 ||
        listing == options.has(QStringLiteral("--from")) || options.words().size() != 1 ||
        options.flag(QStringLiteral("--dry-run")) || options.flag(QStringLiteral("--create-departments"))) {
        err << usage << Qt::endl;
        return 2;
    }
    qint32 day = 0;
    if (!listing) {
        day = DayNumber::fromIso(options.value(QStringLiteral("--from")));
        if (day == 0) {
            err << "employees: --from \"" << CommandOptions::shown(options.value(QStringLiteral("--from")))
                << "\" is not a date of the form YYYY-MM-DD" << Qt::endl;
            return 2;
        }
    }
    std::optional<Money> rate;
    if (setting) {
        const auto typed = PayRateEditing::rateOf(options.value(QStringLiteral("--rate")));
        if (!std::holds_alternative<Money>(typed)) {
            err << "employees: --rate \"" << CommandOptions::shown(options.value(QStringLiteral("--rate")))
                << "\" is not an amount such as 18.50" << Qt::endl;
            return 2;
        }
        rate = std::get<Money>(typed);
    }
    // A rate for a mistyped ID would never be paid: the ID must be one of the staff's.
    const auto known = std::find_if(session.employees().entries.cbegin(), session.employees().entries.cend(),
                                    [&](const Employee& e) { return EmployeeId::same(e.employeeId, id); });
    if (known == session.employees().entries.cend()) {
        err << "employees: no employee has the ID \"" << CommandOptions::shown(id.trimmed()) << "\""
            << Qt::endl;
        return 1;
    }
    try {
        PayRateTable table(services.database);
        const EditStamp stamp{services.time.now(), EditHistory::workstationUser()};
        if (listing) {
            const QList<PayRateRow> rows = table.forEmployee(id);
            for (const PayRateRow& row : rows)
                out << "rate\t" << known->employeeId << '\t' << dayText(row.fromDay) << '\t'
                    << PayRateEditing::rateText(row.rate) << '\n';
            out << "stored\t" << known->employeeId << "\t\t" << PayRateEditing::rateText(known->pay)
                << Qt::endl;
            return 0;
        }
        if (removing) {
            if (!table.remove(id, day, stamp)) {
                err << "employees: " << CommandOptions::shown(known->employeeId) << " has no rate from "
                    << dayText(day) << Qt::endl;
                return 1;
            }
            out << "removed\t" << known->employeeId << '\t' << dayText(day) << Qt::endl;
            return 0;
        }
        const std::optional<Money> before = table.set(id, day, *rate, stamp);
        out << (before ? "changed\t" : "added\t") << known->employeeId << '\t' << dayText(day) << '\t'
            << PayRateEditing::rateText(*rate) << Qt::endl;
        return 0;
    } catch (const DatabaseError& error) {
        err << error.userMessage().replace(QLatin1Char('\n'), QLatin1Char(' ')) << Qt::endl;
        return 3;
    }
}
