#pragma once

#include <QTextStream>

class CommandOptions;
class Session;
struct Services;

// `tellarin employees rate --id ID --from YYYY-MM-DD --rate 18.50`, `--list` and `--remove`: an
// employee's pay rates by date. Exit codes: 0 done, 1 no such employee or rate, 2 bad arguments,
// 3 database problem.
int runPayRateCommand(const Services& services, const Session& session, const CommandOptions& options,
                      QTextStream& out, QTextStream& err);
