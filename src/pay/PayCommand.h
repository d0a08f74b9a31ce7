#pragma once

#include <QStringList>

class QTextStream;
class Session;
struct Services;

// `tellarin pay --from YYYY-MM-DD [--to YYYY-MM-DD] [--rounding NN] [--format lines|csv|pdf]
//  [--output FILE]`: the pay summary. Writes nothing to the database. Exit codes: 0 written, 1 no
// employee with a complete pair in the period, 2 bad arguments or dates, 3 database problem, 6 the
// output could not be written.
int runPayCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                  QTextStream& err);
