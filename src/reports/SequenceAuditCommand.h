#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin audit --from YYYY-MM-DD [--to YYYY-MM-DD]`: the audit's lines on stdout; without --to
// the period is the one day, as in the window. Exit 0 when
// there are no violations and 5 when there are (for a nightly job to alert on), 1 when the table
// has no records, 2 for bad arguments, 3 for a database problem.
int runAuditCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                    QTextStream& err);
