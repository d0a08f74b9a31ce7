#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin exceptions --from YYYY-MM-DD [--to YYYY-MM-DD] [--kind KIND] [--all]`: the punches that
// need a manager's decision, one a line; without --to the period is the one day, without --all the
// resolved ones are left out. Exit 0 when none is open and 10 when any is (for a nightly job to
// alert on), 2 for bad arguments, 3 for a database problem.
// `tellarin exceptions resolve --record N --kind KIND [--note TEXT]`: lets one stand; exit 1 when
// the record has no such open exception.
int runExceptionsCommand(const Services& services, Session& session, const QStringList& args,
                         QTextStream& out, QTextStream& err);

namespace ExceptionsCommand {
// Whether the words ask for a change, which opens the database for writing.
bool writes(const QStringList& words);
} // namespace ExceptionsCommand
