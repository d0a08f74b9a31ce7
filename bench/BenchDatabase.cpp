#include "BenchDatabase.h"

#include "platform/ProgramPaths.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/PathFile.h"
#include "store/StaffFiles.h"
#include "store/StaffTable.h"
#include "store/StoredTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sqlite3.h>
#include <vector>

using namespace BenchDatabase;

namespace {
void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// A new Clock.mdb in an emptied folder, open in a write transaction for the rows to come.
sqlite3* beginFreshDatabase(const QString& folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const ProgramPaths paths(folder);
    ClockFiles::ensureClockDatabase(paths);
    sqlite3* db = nullptr;
    check(sqlite3_open(paths.clockDatabase().toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN", nullptr, nullptr, nullptr), db);
    return db;
}

sqlite3_stmt* prepared(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db);
    return statement;
}

void commitAndClose(sqlite3* db, sqlite3_stmt* insert)
{
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE); ANALYZE", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
}

bool isReady(const QString& folder)
{
    return QFileInfo::exists(folder + QStringLiteral("/ready"));
}

void markReady(const QString& folder)
{
    QFile ready(folder + QStringLiteral("/ready"));
    ready.open(QIODevice::WriteOnly);
}
} // namespace

QString BenchDatabase::preparedFolder(int rows)
{
    const QString folder = benchFolder() + QStringLiteral("/rows-%1").arg(rows);
    if (isReady(folder))
        return folder;
    sqlite3* db = beginFreshDatabase(folder);
    sqlite3_stmt* insert =
        prepared(db, R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", )"
                     R"("Dnumber", "Options", "Created") VALUES (?, ?, ?, ?, ?, 0, 0, ?))");
    std::mt19937 random(42);
    std::vector<bool> in(employeeCount, false);
    const QDateTime first(QDate(2016, 12, 4), QTime(0, 0));
    const qint64 span = first.secsTo(QDateTime(QDate(2026, 12, 3), QTime(23, 0)));
    for (int i = 0; i < rows; ++i) {
        const QDateTime t = first.addSecs(span * i / rows);
        const int e = static_cast<int>(random() % employeeCount);
        const QByteArray time = StoredTime::toText(t).toUtf8();
        const QByteArray id = employeeId(e).toUtf8();
        sqlite3_bind_text(insert, 1, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 3, in[e] ? 1 : 0);
        sqlite3_bind_int(insert, 4, DayNumber::of(t));
        sqlite3_bind_text(insert, 5, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 6, time.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
        in[e] = !in[e];
    }
    commitAndClose(db, insert);

    Database database;
    database.open(ProgramPaths(folder).clockDatabase());
    QList<StaffRow> staff;
    for (int e = 0; e < employeeCount; ++e)
        staff.append({employeeId(e), e + 1, DayNumber::of(QDate(2026, 12, 4)), employeeId(e), 1, 32, 68});
    StaffTable(database).replaceAll(staff);
    database.close();
    markReady(folder);
    return folder;
}

QString BenchDatabase::reportFolder()
{
    const QString folder = benchFolder() + QStringLiteral("/report");
    if (isReady(folder))
        return folder;
    sqlite3* db = beginFreshDatabase(folder);
    sqlite3_stmt* insert =
        prepared(db, R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", )"
                     R"("Tips", "Dnumber", "Options", "Created") VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?))");
    std::mt19937 random(7);
    const int starts[] = {7 * 60, 11 * 60 + 30, 16 * 60};
    for (QDate date = yearStart; date <= yearEnd; date = date.addDays(1)) {
        for (int e = 0; e < reportEmployeeCount; ++e) {
            if (random() % 365 < 15) // a day off
                continue;
            const QByteArray id = QStringLiteral("E%1").arg(e, 3, 10, QLatin1Char('0')).toUtf8();
            const QByteArray name = QStringLiteral("Employee %1").arg(e * 7919 % 1000).toUtf8();
            for (int pair = 0; pair < 3; ++pair) {
                const int in = starts[pair] + static_cast<int>(random() % 20);
                const int out = in + 180 + static_cast<int>(random() % 60);
                for (int minute : {in, out}) {
                    const QDateTime t(date, QTime(minute / 60, minute % 60, static_cast<int>(random() % 60)));
                    const QByteArray text = t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                    sqlite3_bind_text(insert, 1, text.constData(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(insert, 2, id.constData(), -1, SQLITE_TRANSIENT);
                    sqlite3_bind_int(insert, 3, minute == out ? 1 : 0);
                    sqlite3_bind_int(insert, 4, DayNumber::of(date));
                    sqlite3_bind_text(insert, 5, name.constData(), -1, SQLITE_TRANSIENT);
                    if (minute == out && random() % 4 == 0)
                        sqlite3_bind_int64(insert, 6, static_cast<qint64>(random() % 500000));
                    else
                        sqlite3_bind_null(insert, 6);
                    sqlite3_bind_int(insert, 7, 1 + e % 12);
                    sqlite3_bind_text(insert, 8, text.constData(), -1, SQLITE_TRANSIENT);
                    check(sqlite3_step(insert), db);
                    sqlite3_reset(insert);
                }
            }
        }
    }
    commitAndClose(db, insert);
    markReady(folder);
    return folder;
}

QString BenchDatabase::benchFolder()
{
    const QString folder = qEnvironmentVariable("TELLARIN_BENCH_FOLDER");
    return folder.isEmpty() ? QStringLiteral("/tmp/tellarin-bench") : folder;
}

QString BenchDatabase::employeeId(int i)
{
    return QStringLiteral("E%1").arg(i, 3, 10, QLatin1Char('0'));
}

void BenchDatabase::writeStaffFiles(const QString& folder)
{
    const ProgramPaths paths(folder);
    if (!QFileInfo::exists(StaffFiles::employeeFile(paths))) {
        QList<Employee> employees;
        for (int e = 0; e < employeeCount; ++e) {
            Employee employee{e + 1, employeeId(e), employeeId(e), 1, {}, true, {}};
            for (int day = 1; day <= 7; ++day)
                employee.schedule.setSlot(day, 1, 32, 68);
            employees.append(employee);
        }
        StaffFiles::writeEmployees(StaffFiles::employeeFile(paths), employees);
        StaffFiles::writeDepartments(StaffFiles::departmentFile(paths), {{1, QStringLiteral("Floor")}});
    }
    QFile path(paths.inProgramFolder(PathFile::fileName()));
    if (!path.exists() && path.open(QIODevice::WriteOnly))
        path.write(folder.toUtf8() + "\r\n\r\n");
}
