#pragma once

#include <QStringList>

class QTextStream;
struct Services;
class Session;

// tellarin payroll: the pay periods and their states, approval, lock, reopening with a reason, and
// the export of a period for a payroll service. Exit codes: 0 done, 1 nothing found, 2 bad
// arguments (a day that begins no period names the period it lies in), 3 database problem, 6 the
// export not written, 11 the period is locked.
namespace PayrollCommand {
int run(const Services& services, Session& session, const QStringList& args, QTextStream& out,
        QTextStream& err);
// Whether the words ask for a change to the database.
bool writes(const QStringList& words);
} // namespace PayrollCommand
