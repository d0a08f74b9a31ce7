#pragma once

#include <QTextStream>

class CommandOptions;
class Session;
struct Services;

// `tellarin employees badge --id ID --badge NUMBER`, `--id ID --remove` and `--list`: which card or
// barcode stands for an employee at the clock. Exit codes: 0 done, 1 no such employee or no card to
// remove, 2 bad arguments or a card another employee holds, 3 database problem.
int runBadgeCommand(const Services& services, const Session& session, const CommandOptions& options,
                    QTextStream& out, QTextStream& err);
