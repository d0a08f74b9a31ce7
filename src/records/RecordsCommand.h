#pragma once

#include <QStringList>

class QTextStream;
struct Services;
class Session;

// The record maintenance commands of the command line. Exit codes: 0 done, 1 nothing found,
// 2 bad arguments, 3 database problem, 4 the history chain is broken, 10 a change refused for
// leaving two INs or two OUTs in a row, 11 a change refused on a locked pay period's day.
//
// records --id ID [--from YYYY-MM-DD]: the editor's list lines, record number first.
// records insert|set|delete ...: the editor's changes; insert prints the new record number.
int runRecordsCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err);
// history [--record N] [--verify] [--purge-before YYYY-MM-DD]: the history entries, a check of the
// chain, or the removal of entries made before a day.
int runHistoryCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err);
// purge --before YYYY-MM-DD: removes the clock records of the days before the given one.
int runPurgeCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                    QTextStream& err);
