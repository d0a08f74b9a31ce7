// The clocking report of 200 employees for one month (about 35,000 rows) and for one year (about
// 420,000 rows): rows read, report computed and laid out on a surface that only measures and counts,
// next to a raw SQLite scan of the same rows in the same order.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_report [google benchmark flags]
//
// The database is built once into the folder (default /tmp/tellarin-bench) and reused by later
// runs. Peak memory (maximum resident set) is reported per benchmark; run one benchmark alone
// (--benchmark_filter=Year) for the figure of that benchmark by itself.
#include "BenchDatabase.h"
#include "platform/ProgramPaths.h"
#include "reports/DrawingSurface.h"
#include "reports/ReportLayout.h"
#include "reports/ReportLines.h"
#include "settings/SettingsRecord.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/ReportRows.h"
#include "store/StaffFiles.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {
using BenchDatabase::monthStart;
using BenchDatabase::yearEnd;
using BenchDatabase::yearStart;

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// Measures like a proportional font and counts what would be drawn.
class CountingSurface final : public DrawingSurface {
public:
    QSizeF pageSize() const override { return {4800, 6000}; }
    void setBold(bool bold) override { m_bold = bold; }
    qreal textWidth(const QString& text) const override { return text.size() * (m_bold ? 41.0 : 37.5); }
    qreal textHeight() const override { return 55; }
    void drawText(const QPointF&, const QString& text) override { texts += text.size() > 0; }
    void fillRect(const QRectF&, const QColor&) override { ++rects; }
    void drawLine(const QPointF&, const QPointF&) override { ++lines; }
    void newPage() override { ++pages; }

    qint64 texts = 0;
    qint64 rects = 0;
    qint64 lines = 0;
    qint64 pages = 1;

private:
    bool m_bold = false;
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

qint32 lastDay(const benchmark::State&)
{
    return DayNumber::of(yearEnd);
}

qint32 firstDay(const benchmark::State& state)
{
    return DayNumber::of(state.range(0) == 0 ? monthStart : yearStart);
}

void BM_Report(benchmark::State& state)
{
    Database database;
    database.open(ProgramPaths(BenchDatabase::reportFolder()).clockDatabase());
    SettingsRecord settings;
    settings.autoDeduct = true;
    settings.reportTips = true;
    DepartmentList departments;
    for (int d = 1; d <= 12; ++d)
        departments.entries.append({d, QStringLiteral("Department %1").arg(d)});
    const ReportRequest request{firstDay(state), lastDay(state), true, RoundingCode(11)};
    qint64 rows = 0;
    qint64 pages = 0;
    for (auto _ : state) {
        const QList<ReportRow> selected =
            ReportRows::select(database, request.firstDay, request.lastDay, request.order());
        const ClockingReport report(request, settings, departments, QDateTime(yearEnd, QTime(9, 0)));
        CountingSurface surface;
        ReportLayout layout(surface, {true, true, QStringLiteral("Tips"), QColor(255, 255, 150)});
        report.PrintReport(selected, layout);
        rows = selected.size();
        pages = surface.pages;
        benchmark::DoNotOptimize(surface.texts);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_RawScan(benchmark::State& state)
{
    const QString path = ProgramPaths(BenchDatabase::reportFolder()).clockDatabase();
    sqlite3* db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    sqlite3_stmt* select = nullptr;
    const QByteArray sql = ReportRows::selectSql(ReportRows::Order::Employee).toUtf8();
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr), db);
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_bind_int(select, 1, firstDay(state));
        sqlite3_bind_int(select, 2, lastDay(state));
        rows = 0;
        qint64 touched = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            for (int c = 0; c < 8; ++c)
                touched += sqlite3_column_bytes(select, c);
            ++rows;
        }
        sqlite3_reset(select);
        benchmark::DoNotOptimize(touched);
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    state.counters["rows"] = static_cast<double>(rows);
}
} // namespace

// Argument 0: December (a month); 1: the whole year.
BENCHMARK(BM_Report)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawScan)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
