#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin who-is-in [--days N]`: one line per employee listed, the In list first, as
// in|out TAB ID TAB name TAB yyyy-MM-dd HH:mm:ss. Exit 0 with lines, 1 when nobody is listed,
// 2 for bad arguments, 3 for a database problem.
int runWhoIsInCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err);
