#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin exceptions --from YYYY-MM-DD [--to YYYY-MM-DD] [--kind KIND]`: the punches that need a
// manager's decision, one a line; without --to the period is the one day. Exit 0 when there are
// none and 10 when there are (for a nightly job to alert on), 2 for bad arguments, 3 for a database
// problem.
int runExceptionsCommand(const Services& services, Session& session, const QStringList& args,
                         QTextStream& out, QTextStream& err);
