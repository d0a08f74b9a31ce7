// Test helper run as a separate process: works on a clock database until it is killed, reporting
// each finished step on stdout so the killing test knows what must have survived.
//   PunchChild punch DIR     appends punches, printing each committed record number
//   PunchChild compact DIR   compacts over and over, printing "compacted"
//   PunchChild migrate DIR   migrates over and over, printing "migrated"
//   PunchChild hold DIR      holds a write transaction, prints "held" and waits for stdin to close
//   PunchChild lock DIR      the same with the file out of WAL mode, so the lock keeps readers out too
//   PunchChild station URL COUNT DRAW
//                            punches as a clock station does on a server database: COUNT punches
//                            (0: until killed) over employees S00..S19 picked at random from DRAW,
//                            each IN or OUT by the employee's latest punch, printing each committed
//                            record number
#include "platform/ProgramPaths.h"
#include "store/ClockRecords.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseMaintenance.h"
#include "support/PunchRecord.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <iostream>

namespace {
int punch(const ProgramPaths& paths)
{
    Database database;
    if (!database.open(paths.clockDatabase()).ok())
        return 3;
    ClockRecords records(database);
    const QDateTime start(QDate(2026, 12, 4), QTime(8, 0));
    for (qint64 i = 0;; ++i) {
        const qint64 number =
            records.append(punchRecord(QStringLiteral("E%1").arg(i % 7), start.addSecs(i), (i / 7) % 2 == 1));
        std::printf("%lld\n", static_cast<long long>(number));
        std::fflush(stdout);
    }
}

int station(const QString& url, qint64 count, quint32 draw)
{
    const auto location = DatabaseLocation::parse(url);
    Database database;
    if (!location || !database.openServer(*location).ok())
        return 3;
    ClockRecords records(database);
    QRandomGenerator random(draw);
    const QDateTime start(QDate(2026, 12, 4), QTime(8, 0));
    for (qint64 i = 0; count == 0 || i < count; ++i) {
        const QString id = QStringLiteral("S%1").arg(random.bounded(20), 2, 10, QLatin1Char('0'));
        const qint64 number = records.appendPunch(id, [&](const auto& latest) {
            return std::optional<ClockRecord>(punchRecord(id, start.addSecs(i % 3600),
                                                          latest && !latest->clockOut,
                                                          QStringLiteral("Station %1").arg(draw)));
        });
        std::printf("%lld\n", static_cast<long long>(number));
        std::fflush(stdout);
    }
    return 0;
}

int rewriteForever(const ProgramPaths& paths, bool migrate)
{
    Database database;
    if (!database.open(paths.clockDatabase()).ok())
        return 3;
    QDateTime now(QDate(2026, 12, 4), QTime(8, 0));
    for (;;) {
        now = now.addSecs(1);
        const auto result = migrate ? DatabaseMaintenance::migrate(database, paths, now)
                                    : DatabaseMaintenance::compact(database, paths);
        if (result != DatabaseMaintenance::Result::Done)
            return 4;
        std::printf(migrate ? "migrated\n" : "compacted\n");
        std::fflush(stdout);
    }
}

int hold(const ProgramPaths& paths, bool rollbackJournal)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("hold"));
    db.setDatabaseName(paths.clockDatabase());
    if (!db.open())
        return 3;
    QSqlQuery query(db);
    if (rollbackJournal && !query.exec(QStringLiteral("PRAGMA journal_mode=DELETE")))
        return 4;
    if (!query.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
        !query.exec(QStringLiteral(R"(UPDATE "Application" SET "Version" = "Version")")))
        return 4;
    std::printf("held\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QStringLiteral("station"))
        return station(args.at(2), args.at(3).toLongLong(), args.at(4).toUInt());
    if (args.size() != 3)
        return 2;
    const ProgramPaths paths(args.at(2));
    const QString mode = args.at(1);
    if (mode == QStringLiteral("punch"))
        return punch(paths);
    if (mode == QStringLiteral("compact"))
        return rewriteForever(paths, false);
    if (mode == QStringLiteral("migrate"))
        return rewriteForever(paths, true);
    if (mode == QStringLiteral("hold") || mode == QStringLiteral("lock"))
        return hold(paths, mode == QStringLiteral("lock"));
    return 2;
}
