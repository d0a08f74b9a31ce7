#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin employees import FILE.csv`, `tellarin employees export [FILE.csv]` and
// `tellarin employees rate ...` (see PayRateCommand).
// Exit codes: 0 done, 1 no employees to export, 2 bad arguments or an unreadable file, 3 the staff
// table could not be rebuilt (the files are saved), 6 the staff files or the export file could
// not be written, 7 the import file was refused (nothing imported).
int runEmployeesCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                        QTextStream& err);
