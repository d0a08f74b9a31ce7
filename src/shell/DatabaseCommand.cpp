#include "shell/DatabaseCommand.h"

#include "platform/CommandOptions.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "shell/CommandLine.h"
#include "store/Database.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/PathFile.h"

#include <QFileInfo>
#include <QTextStream>

namespace {
const char* const form = "database copy --to URL [--from FILE]";

int usage(QTextStream& err, const QString& problem)
{
    err << "tellarin: " << problem << " (usage: tellarin " << form << ')' << Qt::endl;
    return CommandLine::BadArguments;
}

// The Clock.mdb the program itself would open: the data folder named by the path file. Empty with
// the reason when that folder cannot be used here.
QString defaultSource(Session& session, QString* problem)
{
    PathFile::Trouble trouble;
    const PathFile::State source = PathFile::read(session.paths(), &trouble);
    *problem = trouble.problem;
    session.setDataFolder(PathFile::clockDataFolder(session.paths(), source));
    return problem->isEmpty() ? session.paths().clockDatabase() : QString();
}

int copy(const Services&, Session& session, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const CommandOptions options = CommandOptions::parse(QStringLiteral("database copy"), args,
                                                         {QStringLiteral("--to"), QStringLiteral("--from")});
    if (!options.ok()) {
        err << options.problem() << Qt::endl;
        return CommandLine::BadArguments;
    }
    const QString to = options.value(QStringLiteral("--to"));
    const QString from = options.value(QStringLiteral("--from"));
    if (to.isEmpty())
        return usage(err, QStringLiteral("--to names the server database"));
    QString problem;
    const std::optional<DatabaseLocation> target = DatabaseLocation::parse(to, &problem);
    if (!target)
        return usage(err, problem);
    if (!target->isServer())
        return usage(err, QStringLiteral("--to must be a postgresql:// URL"));

    QString pathProblem;
    const QString sourcePath = from.isEmpty() ? defaultSource(session, &pathProblem) : from;
    if (!pathProblem.isEmpty()) {
        err << "tellarin: " << pathProblem << Qt::endl;
        return CommandLine::DatabaseProblem;
    }
    if (!QFileInfo(sourcePath).isFile()) {
        err << "tellarin: no clock database at " << sourcePath << Qt::endl;
        return CommandLine::DatabaseProblem;
    }
    Database source;
    if (const Database::OpenResult opened = source.open(sourcePath, 3000, Database::Access::ReadOnly);
        !opened.ok()) {
        err << "tellarin: " << sourcePath << ": " << opened.errorText.simplified() << Qt::endl;
        return CommandLine::DatabaseProblem;
    }
    Database server;
    if (const Database::OpenResult opened = server.openServer(*target); !opened.ok()) {
        err << "tellarin: " << target->displayUrl() << ": " << opened.errorText.simplified() << Qt::endl;
        return CommandLine::DatabaseProblem;
    }

    DatabaseCopy::Result result;
    try {
        result = DatabaseCopy(source, server).run();
    } catch (const DatabaseError& error) {
        err << "tellarin: copy stopped, nothing written: " << error.text().simplified() << Qt::endl;
        return CommandLine::DatabaseProblem;
    }
    if (result.outcome == DatabaseCopy::Outcome::TargetNotEmpty) {
        err << "tellarin: " << target->displayUrl()
            << " already holds clock records; copy only into an empty database" << Qt::endl;
        return DatabaseCommand::TargetNotEmpty;
    }
    for (const DatabaseCopy::TableCount& counted : result.counts) {
        out << counted.table << '\t' << counted.source << " rows in the file\t" << counted.target
            << " on the server\n";
    }
    if (result.outcome == DatabaseCopy::Outcome::CountsDiffer) {
        err << "tellarin: the server's row counts differ from the file's; nothing was kept" << Qt::endl;
        return DatabaseCommand::CountsDiffer;
    }
    out << "Copied " << sourcePath << " to " << target->displayUrl() << '\n';
    return CommandLine::Done;
}
} // namespace

int runDatabaseCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                       QTextStream& err)
{
    if (args.value(0) != QLatin1String("copy"))
        return usage(err, args.isEmpty() ? QStringLiteral("a subcommand is needed")
                                         : QStringLiteral("unknown subcommand '%1'").arg(args.first()));
    return copy(services, session, args.mid(1), out, err);
}
