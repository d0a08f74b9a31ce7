#include "staff/BadgeCommand.h"

#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/BadgeTable.h"
#include "store/DatabaseError.h"
#include "store/EmployeeId.h"

namespace {
const QString usage = QStringLiteral(
    "usage: tellarin employees badge --id ID --badge NUMBER | --id ID --remove | --list");
} // namespace

int runBadgeCommand(const Services& services, const Session& session, const CommandOptions& options,
                    QTextStream& out, QTextStream& err)
{
    const bool listing = options.flag(QStringLiteral("--list"));
    const bool removing = options.flag(QStringLiteral("--remove"));
    const bool assigning = options.has(QStringLiteral("--badge"));
    const QString typedId = options.value(QStringLiteral("--id"));
    if (int(listing) + int(removing) + int(assigning) != 1 || listing == options.has(QStringLiteral("--id")) ||
        options.has(QStringLiteral("--from")) || options.has(QStringLiteral("--rate")) ||
        options.words().size() != 1 || options.flag(QStringLiteral("--dry-run")) ||
        options.flag(QStringLiteral("--create-departments"))) {
        err << usage << Qt::endl;
        return 2;
    }
    std::optional<QString> badge;
    if (assigning) {
        badge = BadgeNumber::typed(options.value(QStringLiteral("--badge")));
        if (!badge) {
            err << "employees: --badge \"" << CommandOptions::shown(options.value(QStringLiteral("--badge")))
                << "\" is not a card number (1 to " << BadgeNumber::longest << " characters, no blanks)"
                << Qt::endl;
            return 2;
        }
    }
    QString id = EmployeeId::normalised(typedId);
    // A card for a mistyped ID would punch nobody: with the staff kept here the ID must be one of them.
    if (!listing && session.usesLocalStaff()) {
        const auto& staff = session.employees().entries;
        const auto known = std::find_if(staff.cbegin(), staff.cend(),
                                        [&](const Employee& e) { return EmployeeId::same(e.employeeId, id); });
        if (known == staff.cend()) {
            err << "employees: no employee has the ID \"" << CommandOptions::shown(typedId.trimmed()) << "\""
                << Qt::endl;
            return 1;
        }
        id = known->employeeId;
    }
    try {
        BadgeTable table(services.database);
        const EditStamp stamp{services.time.now(), EditHistory::workstationUser()};
        if (listing) {
            const QList<BadgeRow> rows = table.all();
            for (const BadgeRow& row : rows)
                out << "badge\t" << row.employeeId << '\t' << row.badge << '\n';
            out.flush();
            return rows.isEmpty() ? 1 : 0;
        }
        if (removing) {
            const std::optional<QString> held = table.badgeOf(id);
            if (!held || !table.remove(id, stamp)) {
                err << "employees: " << CommandOptions::shown(id) << " has no card" << Qt::endl;
                return 1;
            }
            out << "removed\t" << id << '\t' << *held << Qt::endl;
            return 0;
        }
        if (const std::optional<BadgeTable::Taken> taken = table.assign(id, *badge, stamp)) {
            err << "employees: card " << CommandOptions::shown(*badge) << " belongs to ID "
                << CommandOptions::shown(taken->employeeId) << "; remove it there first" << Qt::endl;
            return 2;
        }
        out << "assigned\t" << id << '\t' << *badge << Qt::endl;
        return 0;
    } catch (const DatabaseError& error) {
        err << error.userMessage().replace(QLatin1Char('\n'), QLatin1Char(' ')) << Qt::endl;
        return 3;
    }
}
