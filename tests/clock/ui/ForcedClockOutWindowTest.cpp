// The hourly forced clock-out as the clock screen runs it, around punches and a busy file.
#include "ClockFixture.h"
#include "PunchRecord.h"
#include "platform/ProgramLog.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, 4), QTime(hour, minute, second));
}

void tickThroughSecond(ClockFixture& f, const QDateTime& second)
{
    f.time.set(second);
    for (int i = 0; i < 10; ++i) // a second holds ten ticks
        f.window->tick();
}

void typeTips(ClockFixture& f, const QString& tips)
{
    QTest::keyClicks(f.child<QLineEdit>("txtTips"), tips);
    QTest::keyClick(f.child<QLineEdit>("txtTips"), Qt::Key_Return);
}
} // namespace

// The OUT the panel showed is the OUT written, with its tips, whatever was stored while they were typed.
TEST(ForcedClockOutWindow, TheRecordWrittenIsTheDirectionThePanelShowed)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.reportTips = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.forceClockOuts = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.forceAfter = 12; });
    f.session.updateSettings([&](SettingsRecord& s) { s.keepOutSeconds = 5; });
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 0; });
    f.open();
    f.punch(QStringLiteral("7"));
    f.punch(QStringLiteral("8")); // no display time: each IN is gone at once
    f.time.set(at(12, 0));
    f.waitSeconds(0);

    // Another station stores an OUT for 8 while 8 types tips here.
    f.punch(QStringLiteral("8"));
    ASSERT_EQ(f.line(2), QStringLiteral("Clocking Out"));
    ClockRecords(f.folder.database()).append(punchRecord(QStringLiteral("8"), at(11, 59, 30), true));
    typeTips(f, QStringLiteral("2"));

    // The hourly pass falls due while 7 types tips for the OUT on display.
    f.time.set(at(20, 45));
    f.punch(QStringLiteral("7"));
    ASSERT_EQ(f.line(2), QStringLiteral("Clocking Out"));
    tickThroughSecond(f, at(20, 45, 1));
    tickThroughSecond(f, at(20, 45, 2));
    typeTips(f, QStringLiteral("5"));

    QStringList seen;
    for (const ClockRecord& r : f.rows())
        seen.append(QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(r.employeeId, r.clockOut ? QStringLiteral("OUT") : QStringLiteral("IN"),
                             r.time.toString(QStringLiteral("HH:mm:ss")))
                        .arg(r.options)
                        .arg(r.tips ? r.tips->units() / 10000 : -1));
    EXPECT_EQ(seen, (QStringList{"7 IN 08:00:00 0 -1", "7 OUT 08:01:00 3 0", "7 OUT 20:45:02 0 5",
                                 "8 IN 08:00:00 0 -1", "8 OUT 11:59:30 0 -1", "8 OUT 12:00:00 0 2"}));
    EXPECT_TRUE(f.messages.shown.isEmpty());
}

// Another program writing the file never puts a box on the unattended clock: a pass with nothing to
// write needs no lock, and one that cannot write tries again a minute later.
TEST(ForcedClockOutWindow, ABusyFileDelaysThePassWithoutAMessage)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.forceClockOuts = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.forceAfter = 12; });
    f.open();
    f.punch(QStringLiteral("7"));
    Database other;
    ASSERT_TRUE(other.open(f.session.paths().clockDatabase(), 0).ok());
    other.beginTransaction();

    tickThroughSecond(f, at(19, 45, 1)); // nothing due yet
    tickThroughSecond(f, at(19, 47, 0));
    tickThroughSecond(f, at(20, 45, 1)); // due, but the file is held
    EXPECT_EQ(f.rows().size(), 1);
    EXPECT_TRUE(f.messages.shown.isEmpty());
    QFile log(f.session.paths().inProgramFolder(ProgramLog::fileName()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().startsWith("2026-12-04 20:45:01\tForced clock-out not written"));

    other.rollback();
    tickThroughSecond(f, at(20, 45, 30));
    EXPECT_EQ(f.rows().size(), 1);
    tickThroughSecond(f, at(20, 46, 1));
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_EQ(f.rows().at(1).options, 3);
    EXPECT_TRUE(f.messages.shown.isEmpty());
}
