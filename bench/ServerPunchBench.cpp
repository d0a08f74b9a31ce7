// The punch path (latest punch, IN/OUT decision and append under the employee's lock, as a punch
// records it) on a PostgreSQL server next to the embedded file, both holding the same 1,000,000
// rows, and four stations punching the server at once, each on its own connection.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_server_punch [google benchmark flags]
//
// The server is started for the run in a temporary folder (Debian's postgresql package), reached
// only through its Unix socket, and filled by copying the prepared file into it.
#include "BenchDatabase.h"
#include "BenchServer.h"
#include "platform/ProgramPaths.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DatabaseLocation.h"
#include "store/DayNumber.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
constexpr int rows = 1'000'000;
using BenchDatabase::employeeCount;
using BenchDatabase::employeeId;

enum Engine { File = 0, Server = 1 };

// The server database, filled once from the prepared file for the whole run; every commit forced
// to the disk, as the file's are, so the two are timed on equal terms.
QString serverUrl()
{
    static const QString url = BenchServer::filledWith(rows, true);
    return url;
}

void open(Database& database, int engine)
{
    const bool ok =
        engine == Server
            ? database.openServer(*DatabaseLocation::parse(serverUrl())).ok()
            // Stations on one file take turns for its write lock; the clock screen waits up to 30 s
            // for it (in short steps), so a loaded machine slows a station down but never fails it.
            : database.open(ProgramPaths(BenchDatabase::preparedFolder(rows)).clockDatabase(), 30000).ok();
    if (!ok)
        std::abort();
}

// One punch as the clock screen records it: the direction decided from the latest record, inside
// the employee's lock.
qint64 punch(ClockRecords& records, const QString& id, const QDateTime& now)
{
    return records.appendPunch(id, [&](const std::optional<ClockRecords::LatestPunch>& latest) {
        ClockRecord r;
        r.employeeId = id;
        r.employee = id;
        r.time = r.created = now;
        r.julian = DayNumber::of(now);
        r.clockOut = latest && !latest->clockOut;
        return std::optional<ClockRecord>(r);
    });
}

void reportMedian(benchmark::State& state, std::vector<double>& micros)
{
    std::sort(micros.begin(), micros.end());
    const auto averaged = benchmark::Counter::kAvgThreads;
    state.counters["median_ms"] = benchmark::Counter(micros[micros.size() / 2] / 1000.0, averaged);
    state.counters["p95_ms"] = benchmark::Counter(micros[micros.size() * 95 / 100] / 1000.0, averaged);
}

// Arg 0: the embedded file, 1: the server. With several threads each is a station of its own.
void BM_Punch(benchmark::State& state)
{
    Database database;
    open(database, static_cast<int>(state.range(0)));
    ClockRecords records(database);
    QDateTime now(QDate(2026, 12, 4), QTime(8, 0));
    std::vector<double> micros;
    int i = state.thread_index();
    for (auto _ : state) {
        now = now.addSecs(1);
        const auto start = std::chrono::steady_clock::now();
        // Stations share the employees, so they meet on the same locks now and then.
        benchmark::DoNotOptimize(punch(records, employeeId((i += 7) % employeeCount), now));
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetItemsProcessed(state.iterations());
    reportMedian(state, micros);
}
} // namespace

BENCHMARK(BM_Punch)
    ->ArgName("server")
    ->Arg(File)
    ->Arg(Server)
    ->Iterations(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Punch)
    ->ArgName("server")
    ->Arg(File)
    ->Arg(Server)
    ->Threads(4)
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    serverUrl(); // filled before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
