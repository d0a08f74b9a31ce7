#pragma once

#include <QTextStream>

class CommandOptions;
class Session;
struct Services;

// `tellarin employees pin --id ID --clear | --unlock | --show`: the manager's side of an employee's
// PIN. Exit codes: 0 done, 1 no such employee or nothing to clear or unlock, 2 bad arguments,
// 3 database problem.
int runPinCommand(const Services& services, const Session& session, const CommandOptions& options,
                  QTextStream& out, QTextStream& err);
