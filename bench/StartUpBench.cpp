// Open to ready: the start-up sequence the program runs before its opening window takes input (one
// copy only, path file, Clock.mdb opened and checked, layout, settings, today's staff from the staff
// files), on an empty clock database and on one of 5,000,000 clock records.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_startup [google benchmark flags]
//
// The databases are those of bench_punch, built once into the same folder.
#include "BenchDatabase.h"
#include "platform/Camera.h"
#include "platform/SoundPlayer.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "shell/StartUp.h"
#include "store/Database.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {
void BM_OpenToReady(benchmark::State& state)
{
    const QString folder = BenchDatabase::preparedFolder(static_cast<int>(state.range(0)));
    BenchDatabase::writeStaffFiles(folder);
    const SteppingTime time;
    NoMessages messages;
    SilentSoundPlayer sounds;
    NoCamera camera;
    for (auto _ : state) {
        Database database;
        const Services services{database, time, messages, sounds, camera};
        Session session{ProgramPaths(folder)};
        const auto start = std::chrono::steady_clock::now();
        {
            StartUp startUp(services, session);
            if (!startUp.run() || messages.shown > 0 || !session.usesLocalStaff()) {
                state.SkipWithError("the start-up did not get to the opening window");
                break;
            }
            state.SetIterationTime(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
}
} // namespace

BENCHMARK(BM_OpenToReady)
    ->Arg(0)
    ->Arg(5'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
