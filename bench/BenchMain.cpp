#include <QCoreApplication>
#include <benchmark/benchmark.h>

// The entry point of the benchmarks that need nothing before the timings but a Qt application.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
