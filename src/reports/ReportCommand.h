#pragma once

#include "reports/ReportDocument.h"

#include <QStringList>

class QTextStream;
struct Services;
class Session;

// `tellarin report --from YYYY-MM-DD [--to YYYY-MM-DD] [--by employee|department] [--rounding NN]
//  [--format lines|csv|pdf] [--output FILE]`
//
// Runs the forced clock-out pass first (when it is switched on), as the report window does, and
// writes nothing else to the database. Exit codes: 0 written, 1 no rows in the period, 2 bad
// arguments or dates, 3 database problem, 6 the output could not be written. Every problem is one
// line on `err`.
int runReportCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                     QTextStream& err);
// The same with the CSV's pay columns filled from `pairPay`.
int runReportCommandWith(const Services& services, Session& session, const QStringList& args,
                         QTextStream& out, QTextStream& err, const ReportDocument::PairPaySource& pairPay);
