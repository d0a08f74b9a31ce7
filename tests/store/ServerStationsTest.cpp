// Several clock stations writing to one server database at the same moment: the per-employee and
// per-table locks must keep every employee's punches alternating and the staff table one day's.
#include "BackendTest.h"
#include "StoreFiles.h"
#include "store/DatabaseLocation.h"
#include "store/StaffTable.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <iostream>
#include <latch>
#include <thread>

namespace {
// What the stations left in "In Out", read in record-number order.
struct StoredPunches {
    qsizetype rows = 0;
    QSet<qint64> numbers;
    QString fault; // the first row that breaks an employee's IN, OUT, IN... or is not whole
};

StoredPunches readPunches(Database& database)
{
    StoredPunches stored;
    QSqlQuery& query = database.run(
        QStringLiteral(R"(SELECT "Record number", "Employee ID", "Clock out", "Time", "Julian", "Employee", )"
                       R"("Created" FROM "In Out" ORDER BY "Record number")"));
    QHash<QString, bool> lastOut;
    while (query.next()) {
        ++stored.rows;
        const qint64 number = query.value(0).toLongLong();
        stored.numbers.insert(number);
        const QString id = query.value(1).toString();
        const bool out = query.value(2).toInt() != 0;
        const bool whole = !query.value(3).isNull() && !query.value(4).isNull() && !query.value(6).isNull() &&
                           query.value(5).toString().startsWith(QStringLiteral("Station "));
        // An employee's first record is an IN; after that each one turns the last one over.
        const bool expectedOut = lastOut.contains(id) && !lastOut.value(id);
        if (stored.fault.isEmpty() && (!whole || out != expectedOut))
            stored.fault = QStringLiteral("record %1 of %2: %3")
                               .arg(number)
                               .arg(id, whole ? (out ? QStringLiteral("two OUTs") : QStringLiteral("two INs"))
                                              : QStringLiteral("not whole"));
        lastOut.insert(id, out);
    }
    database.finish(query);
    return stored;
}

QStringList stationArguments(const QString& url, int punches, int draw)
{
    return {QStringLiteral("station"), url, QString::number(punches), QString::number(draw)};
}
} // namespace

TEST(ServerStations, FourStationsPunchingAtOnceKeepEveryEmployeeAlternating)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder(Backend::Server);
    constexpr int stations = 4;
    constexpr int punches = 500;
    QElapsedTimer elapsed;
    elapsed.start();
    std::vector<std::unique_ptr<Child>> children;
    for (int draw = 1; draw <= stations; ++draw)
        children.push_back(std::make_unique<Child>(stationArguments(folder.url(), punches, draw)));
    QSet<qint64> reported;
    for (const auto& child : children) {
        const QList<QByteArray> lines = child->linesAtExit(120000);
        ASSERT_EQ(lines.size(), punches) << "a station failed";
        for (const QByteArray& line : lines)
            reported.insert(line.toLongLong());
    }
    const qint64 took = elapsed.elapsed();

    const StoredPunches stored = readPunches(folder.database());
    EXPECT_EQ(stored.rows, stations * punches);
    EXPECT_EQ(reported.size(), stations * punches) << "a record number was handed out twice";
    EXPECT_EQ(stored.numbers, reported);
    EXPECT_TRUE(stored.fault.isEmpty()) << qPrintable(stored.fault);
    std::cout << "[ figures  ] " << stations << " stations x " << punches << " punches: " << took << " ms\n";
}

TEST(ServerStations, AKilledStationLeavesOnlyWholePunches)
{
    TELLARIN_REQUIRE_POSTGRES();
    const quint32 randomStart = QRandomGenerator::system()->generate();
    SCOPED_TRACE(testing::Message() << "random start " << randomStart);
    QRandomGenerator random(randomStart);
    TestFolder folder(Backend::Server);
    constexpr int kills = 8;
    QSet<qint64> reported;
    for (int i = 0; i < kills; ++i) {
        // Each station starts while the one killed before may still have held a lock: it must
        // get on with punching all the same.
        Child child(stationArguments(folder.url(), 0, i + 1));
        ASSERT_TRUE(child.waitForLine()) << "station " << i << " made no punch";
        QThread::msleep(random.bounded(60));
        for (const QByteArray& line : child.kill())
            reported.insert(line.toLongLong());
    }
    const StoredPunches stored = readPunches(folder.database());
    EXPECT_TRUE(stored.fault.isEmpty()) << qPrintable(stored.fault);
    for (qint64 number : reported)
        EXPECT_TRUE(stored.numbers.contains(number)) << "reported record " << number << " is missing";
    // At most the one punch in flight per kill was committed without being reported.
    EXPECT_GE(stored.rows, reported.size());
    EXPECT_LE(stored.rows, reported.size() + kills);
    std::cout << "[ figures  ] kills " << kills << ", reported " << reported.size() << ", stored "
              << stored.rows << "\n";
}

TEST(ServerStations, TwoStationsRebuildingStaffLeaveOneDay)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder(Backend::Server);
    constexpr int rounds = 15;
    constexpr int staffPerDay = 40;
    const auto dayOfStaff = [](qint32 julian) {
        QList<StaffRow> rows;
        for (int i = 0; i < staffPerDay; ++i)
            rows.append(
                {QStringLiteral("Day %1").arg(julian), i, julian, QStringLiteral("E%1").arg(i), 1, 32, 64});
        return rows;
    };
    for (int round = 0; round < rounds; ++round) {
        std::latch ready(2);
        QStringList errors(2);
        // Each station has its own connection, opened and used on its own thread.
        const auto station = [&](int which) {
            Database database;
            if (!database.openServer(*DatabaseLocation::parse(folder.url())).ok()) {
                errors[which] = QStringLiteral("cannot connect");
                ready.count_down();
                return;
            }
            StaffTable staff(database);
            ready.arrive_and_wait();
            try {
                staff.replaceAll(dayOfStaff(46000 + which));
            } catch (const std::exception& error) {
                errors[which] = QString::fromUtf8(error.what());
            }
        };
        std::thread first(station, 0);
        std::thread second(station, 1);
        first.join();
        second.join();
        ASSERT_EQ(errors, QStringList(2)) << "round " << round;
        const QList<StaffRow> rows = StaffTable(folder.database()).all();
        ASSERT_EQ(rows.size(), staffPerDay) << "round " << round;
        QSet<qint32> days;
        for (const StaffRow& row : rows)
            days.insert(row.julian);
        ASSERT_EQ(days.size(), 1) << "round " << round;
    }
}
