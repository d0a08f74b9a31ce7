#pragma once

#include <QStringList>

class QTextStream;
struct Services;
class Session;

// Exit codes of `tellarin database` beyond the common ones.
namespace DatabaseCommand {
enum ExitCode { TargetNotEmpty = 8, CountsDiffer = 9 };
}

// `tellarin database copy --to URL [--from FILE]`: the embedded clock file into an empty server.
int runDatabaseCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                       QTextStream& err);
