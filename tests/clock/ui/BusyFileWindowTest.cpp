// Punches on the file while another program holds its write lock: the panel waits, the screen goes
// on, and the punch is stored once, never lost and never shown as an error.
#include "ClockFixture.h"
#include "clock/WaitingPunches.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

TEST(BusyFileWindow, APunchWhileAnotherProcessHoldsTheFileIsStoredOnceWhenItFrees)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 3; });
    f.open();
    QProcess holder;
    holder.start(QStringLiteral(TELLARIN_PUNCH_CHILD), {QStringLiteral("hold"), f.folder.path()});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAllStandardOutput(), QByteArray("held\n"));
    QTimer::singleShot(5000, &holder, [&] { holder.closeWriteChannel(); }); // a 5 s transaction

    QElapsedTimer elapsed;
    elapsed.start();
    const QDateTime typedAt = f.time.now();
    f.punch(QStringLiteral("7"));
    EXPECT_LT(elapsed.elapsed(), 1000); // the screen was not held up
    EXPECT_TRUE(f.panelShown());
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking In"));
    EXPECT_TRUE(f.rows().isEmpty());
    f.waitSeconds(4); // past the display time: the panel stays while the punch waits
    EXPECT_TRUE(f.panelShown());
    f.punch(QStringLiteral("8")); // input is ignored meanwhile

    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.rows().isEmpty(); }, 20000));
    EXPECT_GE(elapsed.elapsed(), 4500);
    if (holder.state() != QProcess::NotRunning) { // the event loop may have seen it end already
        ASSERT_TRUE(holder.waitForFinished(5000));
    }
    f.window->tick();
    EXPECT_FALSE(f.panelShown());
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("7"));
    EXPECT_EQ(f.rows().at(0).time, typedAt);
    EXPECT_TRUE(f.messages.shown.isEmpty());
}

TEST(BusyFileWindow, APunchHeldBackLongerThanHalfAMinuteWaitsInTheQueueAndKeepsItsPlace)
{
    ClockFixture f;
    f.open();
    Database other;
    ASSERT_TRUE(other.open(f.session.paths().clockDatabase(), 0).ok());
    other.beginTransaction();

    f.punch(QStringLiteral("7"));
    EXPECT_TRUE(f.panelShown());
    f.waitSeconds(29);
    EXPECT_TRUE(f.panelShown());
    f.waitSeconds(2);
    EXPECT_FALSE(f.panelShown()); // kept in the queue, the station takes the next punch
    EXPECT_TRUE(f.rows().isEmpty());
    EXPECT_EQ(WaitingPunches(f.folder.database(), f.folder.path()).size(), 1);

    f.waitSeconds(60);
    f.punch(QStringLiteral("7")); // the waiting IN decides: this is an OUT, queued behind it
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking Out"));
    f.waitSeconds(5);
    EXPECT_FALSE(f.panelShown());

    other.rollback();
    f.waitSeconds(3);
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_FALSE(f.rows().at(0).clockOut);
    EXPECT_TRUE(f.rows().at(1).clockOut);
    EXPECT_EQ(WaitingPunches(f.folder.database(), f.folder.path()).size(), 0);
    EXPECT_TRUE(f.messages.shown.isEmpty());
}
