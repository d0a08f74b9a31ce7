// Killed at random moments, a program appending punches, compacting or migrating must leave a
// database that opens, passes the integrity check and holds every row it had or reported.
#include "StoreFiles.h"
#include "store/DatabaseMaintenance.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <iostream>

namespace {
// TELLARIN_CRASH_KILLS sets how many times each test kills its child; scripts/soak.sh runs long soaks.
int killCount()
{
    bool ok = false;
    const int kills = qEnvironmentVariableIntValue("TELLARIN_CRASH_KILLS", &ok);
    return ok && kills > 0 ? kills : 30;
}

quint32 freshRandomStart()
{
    return QRandomGenerator::system()->generate();
}

// Opens as the program does at start-up and returns the record numbers, or fails the test.
QVariantList openAndRead(ClockFolder& folder)
{
    const Database::OpenResult result =
        DatabaseMaintenance::openClockDatabase(folder.database(), folder.paths());
    EXPECT_TRUE(result.ok()) << result.errorText.toStdString();
    EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok"));
    const QVariantList rows = recordNumbers(folder.file());
    folder.database().close();
    return rows;
}
} // namespace

TEST(Crash, KilledWhilePunchingLosesNoReportedPunch)
{
    const quint32 randomStart = freshRandomStart();
    SCOPED_TRACE(testing::Message() << "random start " << randomStart);
    QRandomGenerator random(randomStart);
    const int kills = killCount();
    ClockFolder folder;
    folder.createAndOpen();
    folder.database().close();

    QSet<qint64> reported;
    for (int i = 0; i < kills; ++i) {
        Child child(QStringLiteral("punch"), folder.paths().dataFolder());
        ASSERT_TRUE(child.waitForLine());
        QThread::msleep(random.bounded(40));
        for (const QByteArray& line : child.kill())
            reported.insert(line.toLongLong());
    }
    const QVariantList rows = openAndRead(folder);
    QSet<qint64> found;
    for (const QVariant& row : rows)
        found.insert(row.toLongLong());
    EXPECT_EQ(found.size(), rows.size());
    qsizetype lost = 0;
    for (qint64 number : reported) {
        if (!found.contains(number)) {
            ++lost;
            ADD_FAILURE() << "record " << number << " was reported but is missing";
        }
    }
    // A punch may be committed and killed before it was reported, never the other way round.
    EXPECT_LE(found.size() - reported.size(), kills);
    std::cout << "[ figures  ] punch: kills " << kills << ", committed " << reported.size() << ", found "
              << found.size() << ", lost " << lost << "\n";
}

TEST(Crash, KilledWhileCompactingOrMigratingKeepsEveryRow)
{
    for (const char* mode : {"compact", "migrate"}) {
        const quint32 randomStart = freshRandomStart();
        SCOPED_TRACE(testing::Message() << mode << " random start " << randomStart);
        QRandomGenerator random(randomStart);
        const int kills = killCount();
        ClockFolder folder;
        folder.createAndOpen();
        folder.addPunches(3000);
        folder.database().close();
        makeOlderFormat(folder.file()); // so a migration has a real conversion to be killed in
        const QVariantList rows = recordNumbers(folder.file());

        int finished = 0;
        qsizetype found = rows.size();
        qsizetype lost = 0;
        for (int i = 0; i < kills; ++i) {
            {
                QElapsedTimer firstRun;
                firstRun.start();
                Child child(QString::fromLatin1(mode), folder.paths().dataFolder());
                ASSERT_TRUE(child.waitForLine());
                // Anywhere within the next run, whatever a run takes on this machine.
                QThread::msleep(random.bounded(std::max<qint64>(firstRun.elapsed(), 20)));
                finished += static_cast<int>(child.kill().size());
            }
            const QVariantList after = openAndRead(folder);
            found = after.size();
            lost = std::max(lost, rows.size() - found);
            ASSERT_EQ(after, rows) << "after kill " << i;
        }
        // Every kept copy of a migration is whole.
        int copies = 0;
        for (const QString& name : folder.entries()) {
            if (name.startsWith(QStringLiteral("Clock_")) && name.endsWith(QStringLiteral(".MDB"))) {
                ++copies;
                EXPECT_EQ(recordNumbers(folder.file(name)), rows) << name.toStdString();
            }
        }
        std::cout << "[ figures  ] " << mode << ": kills " << kills << ", runs finished " << finished
                  << ", committed " << rows.size() << ", found " << found << ", lost " << lost
                  << ", stamped copies " << copies << "\n";
    }
}
