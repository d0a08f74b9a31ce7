#include "staff/PinCommand.h"

#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/EmployeeId.h"
#include "store/PinTable.h"

namespace {
const QString usage = QStringLiteral("usage: tellarin employees pin --id ID --clear | --unlock | --show");
} // namespace

int runPinCommand(const Services& services, const Session& session, const CommandOptions& options,
                  QTextStream& out, QTextStream& err)
{
    const bool clearing = options.flag(QStringLiteral("--clear"));
    const bool unlocking = options.flag(QStringLiteral("--unlock"));
    const bool showing = options.flag(QStringLiteral("--show"));
    const QString id = options.value(QStringLiteral("--id"));
    const QStringList others = {QStringLiteral("--from"), QStringLiteral("--rate")};
    const bool otherOptions =
        std::any_of(others.begin(), others.end(), [&](const QString& o) { return options.has(o); }) ||
        options.flag(QStringLiteral("--list")) || options.flag(QStringLiteral("--remove")) ||
        options.flag(QStringLiteral("--dry-run")) || options.flag(QStringLiteral("--create-departments"));
    if (id.isEmpty() || int(clearing) + int(unlocking) + int(showing) != 1 || options.words().size() != 1 ||
        otherOptions) {
        err << usage << Qt::endl;
        return 2;
    }
    // PINs are kept for the staff only: a mistyped ID must not pass for done.
    const auto known = std::find_if(session.employees().entries.cbegin(), session.employees().entries.cend(),
                                    [&](const Employee& e) { return EmployeeId::same(e.employeeId, id); });
    if (session.hasEmployeeDatabase() && known == session.employees().entries.cend()) {
        err << "employees: no employee has the ID \"" << CommandOptions::shown(id.trimmed()) << "\""
            << Qt::endl;
        return 1;
    }
    const QString shownId =
        known != session.employees().entries.cend() ? known->employeeId : EmployeeId::normalised(id);
    try {
        PinTable table(services.database);
        const QDateTime now = services.time.now();
        const EditStamp stamp{now, EditHistory::workstationUser()};
        if (showing) {
            const PinRow row = table.of(id);
            out << "pin\t" << shownId << '\t' << (row.hash.isEmpty() ? "none" : "set") << '\t'
                << row.wrongTries << '\t'
                << (row.isLockedAt(now) ? row.lockedUntil.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                        : QString())
                << Qt::endl;
            return 0;
        }
        if (clearing ? !table.clear(id, stamp) : !table.unlock(id, stamp)) {
            err << "employees: " << CommandOptions::shown(shownId)
                << (clearing ? " has no PIN" : " is not locked and has no wrong tries") << Qt::endl;
            return 1;
        }
        out << (clearing ? "cleared\t" : "unlocked\t") << shownId << Qt::endl;
        return 0;
    } catch (const DatabaseError& error) {
        err << error.userMessage().replace(QLatin1Char('\n'), QLatin1Char(' ')) << Qt::endl;
        return 3;
    }
}
