// The clocking report of 200 employees for one month (about 35,000 rows) and for one year (about
// 420,000 rows): rows read, report computed and laid out on a surface that only measures and counts,
// next to a raw SQLite scan of the same rows in the same order.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_report [google benchmark flags]
//
// The database is built once into the folder (default /tmp/tellarin-bench) and reused by later
// runs. Peak memory (maximum resident set) is reported per benchmark; run one benchmark alone
// (--benchmark_filter=Year) for the figure of that benchmark by itself.
#include "platform/ProgramPaths.h"
#include "reports/DrawingSurface.h"
#include "reports/ReportLayout.h"
#include "reports/ReportLines.h"
#include "settings/SettingsRecord.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/ReportRows.h"
#include "store/StaffFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {
constexpr int employeeCount = 200;
const QDate yearStart(2025, 1, 1);
const QDate yearEnd(2025, 12, 31);
const QDate monthStart(2025, 12, 1);

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// Three pairs a day on 350 days of the year: about 420,000 rows, 35,000 in a month.
QString preparedFolder()
{
    const QString root = qEnvironmentVariable("TELLARIN_BENCH_FOLDER");
    const QString folder =
        (root.isEmpty() ? QStringLiteral("/tmp/tellarin-bench") : root) + QStringLiteral("/report");
    if (QFileInfo::exists(folder + QStringLiteral("/ready")))
        return folder;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    ProgramPaths paths(folder);
    ClockFiles::ensureClockDatabase(paths);
    sqlite3* db = nullptr;
    check(sqlite3_open(paths.clockDatabase().toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(
              db,
              R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", "Employee", )"
              R"("Tips", "Dnumber", "Options", "Created") VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?))",
              -1, &insert, nullptr),
          db);
    std::mt19937 random(7);
    const int starts[] = {7 * 60, 11 * 60 + 30, 16 * 60};
    for (QDate date = yearStart; date <= yearEnd; date = date.addDays(1)) {
        for (int e = 0; e < employeeCount; ++e) {
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
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE); ANALYZE", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
    QFile ready(folder + QStringLiteral("/ready"));
    ready.open(QIODevice::WriteOnly);
    return folder;
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
    database.open(ProgramPaths(preparedFolder()).clockDatabase());
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
    const QString path = ProgramPaths(preparedFolder()).clockDatabase();
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
