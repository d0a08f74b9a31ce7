// The punch path (staff lookup, latest record, committed append) on large clock databases, next
// to the same statements run straight on SQLite with the same settings.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_punch [google benchmark flags]
//
// The databases (1,000,000 and 5,000,000 rows over 500 employees and ten years) are built once
// into the folder (default /tmp/tellarin-bench) and reused by later runs.
#include "BenchDatabase.h"
#include "clock/Punch.h"
#include "pay/WeekHours.h"
#include "platform/Camera.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/StoredTime.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sqlite3.h>
#include <vector>

namespace {
using BenchDatabase::employeeCount;
using BenchDatabase::employeeId;
using BenchDatabase::preparedFolder;

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

void reportMedian(benchmark::State& state, std::vector<double>& micros)
{
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_ms"] = micros[micros.size() / 2] / 1000.0;
    state.counters["p95_ms"] = micros[micros.size() * 95 / 100] / 1000.0;
}

// The punch path, or it followed by the employee's week's hours the confirmation shows.
void runPunchPath(benchmark::State& state, bool weekHours)
{
    const QString folder = preparedFolder(static_cast<int>(state.range(0)));
    SteppingTime time;
    NoMessages messages;
    SilentSoundPlayer sounds;
    Database database;
    NoCamera camera;
    const Services services{database, time, messages, sounds, camera};
    Session session{ProgramPaths(folder)};
    database.open(session.paths().clockDatabase());
    session.setEmployeeSource(EmployeeSource::LocalFiles);
    std::vector<double> micros;
    int i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Punch punch = Punch::begin(services, session, employeeId(i++ % employeeCount));
        punch.record(services, session, QString());
        if (weekHours) {
            const QString line =
                WeekHours::line(WeekHours::of(database, session.settings(), punch.id(), time.now()));
            benchmark::DoNotOptimize(line);
        }
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    reportMedian(state, micros);
}

void BM_PunchPath(benchmark::State& state)
{
    runPunchPath(state, false);
}

void BM_PunchPathWithWeekHours(benchmark::State& state)
{
    runPunchPath(state, true);
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
BENCHMARK(BM_PunchPathWithWeekHours)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2000);
BENCHMARK(BM_ReferenceSqlite)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2000);
