// The punch path (staff lookup, latest record, committed append) on large clock databases, next
// to the same statements run straight on SQLite with the same settings.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_punch [google benchmark flags]
//
// The databases (1,000,000 and 5,000,000 rows over 500 employees and ten years) are built once
// into the folder (default /tmp/tellarin-bench) and reused by later runs.
#include "clock/Punch.h"
#include "platform/Camera.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"
#include "store/StoredTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {
constexpr int employeeCount = 500;
QString benchFolder()
{
    const QString folder = qEnvironmentVariable("TELLARIN_BENCH_FOLDER");
    return folder.isEmpty() ? QStringLiteral("/tmp/tellarin-bench") : folder;
}

QString employeeId(int i)
{
    return QStringLiteral("E%1").arg(i, 3, 10, QLatin1Char('0'));
}

class SteppingTime final : public TimeSource {
public:
    QDateTime now() const override { return m_now = m_now.addSecs(1); }

private:
    mutable QDateTime m_now{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
};

class NoMessages final : public MessageBoxes {
public:
    void inform(QWidget*, const QString&, const QString&, Icon) override {}
    Answer askYesNo(QWidget*, const QString&, const QString&, Icon) override { return Answer::No; }
    void beep() override {}
};

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// Builds the program folder for a database of the given size once.
QString preparedFolder(int rows)
{
    const QString folder = benchFolder() + QStringLiteral("/rows-%1").arg(rows);
    ProgramPaths paths(folder);
    if (QFileInfo::exists(folder + QStringLiteral("/ready")))
        return folder;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    ClockFiles::ensureClockDatabase(paths);

    sqlite3* db = nullptr;
    check(sqlite3_open(paths.clockDatabase().toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(
              db,
              R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", )"
              R"("Dnumber", "Options", "Created") VALUES (?, ?, ?, ?, ?, 0, 0, ?))",
              -1, &insert, nullptr),
          db);
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
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE); ANALYZE", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);

    Database database;
    database.open(paths.clockDatabase());
    QList<StaffRow> staff;
    for (int e = 0; e < employeeCount; ++e)
        staff.append({employeeId(e), e + 1, DayNumber::of(QDate(2026, 12, 4)), employeeId(e), 1, 32, 68});
    StaffTable(database).replaceAll(staff);
    database.close();
    QFile ready(folder + QStringLiteral("/ready"));
    ready.open(QIODevice::WriteOnly);
    return folder;
}

void reportMedian(benchmark::State& state, std::vector<double>& micros)
{
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_ms"] = micros[micros.size() / 2] / 1000.0;
    state.counters["p95_ms"] = micros[micros.size() * 95 / 100] / 1000.0;
}

void BM_PunchPath(benchmark::State& state)
{
    const QString folder = preparedFolder(static_cast<int>(state.range(0)));
    SteppingTime time;
    NoMessages messages;
    SilentSoundPlayer sounds;
    Database database;
    NoCamera camera;
    ProgramState program(ProgramPaths(folder), database, time, messages, sounds, camera);
    database.open(program.paths.clockDatabase());
    program.useSchedulingLink = true;
    program.useLocalStaff = true;
    std::vector<double> micros;
    int i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Punch punch = Punch::begin(program, employeeId(i++ % employeeCount));
        punch.record(program, QString());
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    reportMedian(state, micros);
}

void BM_ReferenceSqlite(benchmark::State& state)
{
    const QString folder = preparedFolder(static_cast<int>(state.range(0)));
    sqlite3* db = nullptr;
    check(sqlite3_open((folder + QStringLiteral("/Clock.mdb")).toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr),
          db);
    sqlite3_stmt *staff = nullptr, *latest = nullptr, *append = nullptr;
    check(sqlite3_prepare_v2(
              db,
              R"(SELECT "Employee", "Employee number", "Julian", "Employee ID", "Department number", )"
              R"("Start", "Stop" FROM "Employee" WHERE "Employee ID" = ? LIMIT 1)",
              -1, &staff, nullptr),
          db);
    check(sqlite3_prepare_v2(db,
                             R"(SELECT "Clock out", "Time" FROM "In Out" WHERE "Employee ID" = ? )"
                             R"(ORDER BY "Julian" DESC, "Record number" DESC LIMIT 1)",
                             -1, &latest, nullptr),
          db);
    check(sqlite3_prepare_v2(
              db,
              R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", )"
              R"("Tips", "Dnumber", "InEarly", "InLate", "OutEarly", "OutLate", "Options", "Created") )"
              R"(VALUES (?, ?, ?, ?, ?, NULL, ?, 0, 0, 0, 0, 0, ?))",
              -1, &append, nullptr),
          db);
    SteppingTime time;
    std::vector<double> micros;
    int i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const QByteArray id = employeeId(i++ % employeeCount).toUtf8();
        sqlite3_bind_text(staff, 1, id.constData(), -1, SQLITE_STATIC);
        check(sqlite3_step(staff), db);
        const int department = sqlite3_column_int(staff, 4);
        sqlite3_reset(staff);
        sqlite3_bind_text(latest, 1, id.constData(), -1, SQLITE_STATIC);
        const bool out = sqlite3_step(latest) == SQLITE_ROW && sqlite3_column_int(latest, 0) == 0;
        sqlite3_reset(latest);
        const QDateTime now = time.now();
        const QByteArray text = StoredTime::toText(now).toUtf8();
        sqlite3_bind_text(append, 1, text.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(append, 2, id.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_int(append, 3, out ? 1 : 0);
        sqlite3_bind_int(append, 4, DayNumber::of(now));
        sqlite3_bind_text(append, 5, id.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_int(append, 6, department);
        sqlite3_bind_text(append, 7, text.constData(), -1, SQLITE_STATIC);
        check(sqlite3_step(append), db);
        sqlite3_reset(append);
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    sqlite3_finalize(staff);
    sqlite3_finalize(latest);
    sqlite3_finalize(append);
    sqlite3_close(db);
    reportMedian(state, micros);
}
} // namespace

BENCHMARK(BM_PunchPath)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond)->Iterations(2000);
BENCHMARK(BM_ReferenceSqlite)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2000);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
