// Forced clock-out passes on two stations and punches on a third, all at once on one server
// database: an open IN is closed once, and never by an OUT that follows another OUT.
#include "FakeTimeSource.h"
#include "PostgresServer.h"
#include "PunchRecord.h"
#include "TestFolder.h"
#include "clock/ForcedClockOut.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecords.h"
#include "store/DatabaseLocation.h"

#include <QHash>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace {
const QDateTime now(QDate(2026, 12, 4), QTime(20, 45, 1));

QString employee(int round, int index)
{
    return QStringLiteral("R%1E%2").arg(round).arg(index);
}

// One station on its own connection and thread: ready, then on the starting signal its work.
void station(const QString& url, std::latch& start, QString& error,
             const std::function<void(Database&)>& work)
{
    Database database;
    const bool opened = database.openServer(*DatabaseLocation::parse(url)).ok();
    start.arrive_and_wait();
    if (!opened) {
        error = QStringLiteral("cannot connect");
        return;
    }
    try {
        work(database);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
}
} // namespace

TEST(ForcedClockOutRace, TwoPassesAndAPunchNeverWriteTwoOuts)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder(Backend::Server);
    ClockRecords records(folder.database());
    SettingsRecord settings;
    settings.forceClockOuts = true;
    settings.forceAfter = 12;
    constexpr int rounds = 8;
    constexpr int employees = 12;
    for (int round = 0; round < rounds; ++round) {
        qint64 firstOfRound = 0;
        for (int i = 0; i < employees; ++i) {
            const qint64 number =
                records.append(punchRecord(employee(round, i), now.addDays(-1).addSecs(-i * 60), false));
            firstOfRound = firstOfRound ? firstOfRound : number;
        }
        std::latch start(3);
        QStringList errors(3);
        int written[2] = {0, 0};
        const auto pass = [&](int which) {
            station(folder.url(), start, errors[which], [&](Database& database) {
                const FakeTimeSource time(now);
                written[which] = ForcedClockOut(database, time).run(settings);
            });
        };
        // The punching station goes through the employees from the other end, to meet the passes.
        const auto punches = [&] {
            station(folder.url(), start, errors[2], [&](Database& database) {
                ClockRecords stationRecords(database);
                for (int i = employees - 1; i >= 0; --i)
                    stationRecords.appendPunch(employee(round, i), [&](const auto& latest) {
                        return std::optional<ClockRecord>(
                            punchRecord(employee(round, i), now, latest && !latest->clockOut));
                    });
            });
        };
        std::thread first(pass, 0);
        std::thread second(pass, 1);
        std::thread third(punches);
        first.join();
        second.join();
        third.join();
        ASSERT_EQ(errors, QStringList(3)) << "round " << round;

        // Per employee of the round, in record-number order: IN, then OUT and IN turn about.
        QSqlQuery& query = folder.database().run(
            QStringLiteral(R"(SELECT "Employee ID", "Clock out", "Options" FROM "In Out" )"
                           R"(WHERE "Record number" >= ? ORDER BY "Record number")"),
            {firstOfRound});
        QHash<QString, QList<bool>> sequences;
        int forced = 0;
        while (query.next()) {
            sequences[query.value(0).toString()].append(query.value(1).toInt() != 0);
            forced += query.value(2).toInt() == static_cast<int>(Mark::Forced) ? 1 : 0;
        }
        folder.database().finish(query);
        ASSERT_EQ(sequences.size(), employees);
        for (auto it = sequences.cbegin(); it != sequences.cend(); ++it) {
            const QList<bool>& outs = it.value();
            // The IN, the punch, and a forced OUT only when it came before the punch.
            ASSERT_GE(outs.size(), 2) << qPrintable(it.key());
            ASSERT_LE(outs.size(), 3) << qPrintable(it.key()) << ": closed twice";
            for (qsizetype i = 0; i < outs.size(); ++i)
                EXPECT_EQ(outs[i], i % 2 == 1) << qPrintable(it.key()) << " record " << i;
        }
        EXPECT_EQ(written[0] + written[1], forced) << "round " << round;
    }
}
