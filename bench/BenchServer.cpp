#include "BenchServer.h"

#include "BenchDatabase.h"
#include "PostgresServer.h"
#include "platform/ProgramPaths.h"
#include "store/Database.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseLocation.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

QString BenchServer::filledWith(int rows, bool durable)
{
    static PostgresServer server(durable);
    if (!server.isRunning()) {
        fprintf(stderr, "no server: %s\n", qPrintable(server.error()));
        std::abort();
    }
    const QString created = server.createDatabase(QStringLiteral("bench"));
    Database file, target;
    file.open(ProgramPaths(BenchDatabase::preparedFolder(rows)).clockDatabase());
    target.openServer(*DatabaseLocation::parse(created));
    QElapsedTimer timer;
    timer.start();
    const DatabaseCopy::Result copied = DatabaseCopy(file, target).run();
    if (copied.outcome != DatabaseCopy::Outcome::Copied) {
        fprintf(stderr, "copy into the server failed\n");
        std::abort();
    }
    fprintf(stderr, "copied %lld rows into the server in %.1f s\n", copied.counts.first().target,
            timer.elapsed() / 1000.0);
    return created;
}
