#pragma once

#include <QTextStream>

class CommandOptions;
struct ProgramState;

// `tellarin employees rate --id ID --from YYYY-MM-DD --rate 18.50`, `--list` and `--remove`: an
// employee's pay rates by date. Exit codes: 0 done, 1 no such employee or rate, 2 bad arguments,
// 3 database problem.
int runPayRateCommand(ProgramState& state, const CommandOptions& options, QTextStream& out, QTextStream& err);
