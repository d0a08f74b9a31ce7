#pragma once

#include <QStringList>

class QTextStream;
class Session;
struct Services;

// `tellarin employees payroll --id ID [--number N] [--first TEXT] [--last TEXT] [--clear]`: what the
// payroll service knows an employee by, shown, or changed and shown. Exit codes: 0 done, 1 no such
// employee, 2 bad arguments, 3 database problem.
int runPayrollDetailsCommand(const Services& services, const Session& session, const QStringList& args,
                             QTextStream& out, QTextStream& err);
