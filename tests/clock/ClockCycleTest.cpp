#include "clock/ClockCycle.h"

#include "FakeTimeSource.h"
#include "settings/SettingsRecord.h"
#include "store/DatabaseError.h"
#include "store/StaffTable.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {
const QDate day(2026, 12, 4);

QDateTime at(int hour, int minute, int second = 0, int ms = 0)
{
    return QDateTime(day, QTime(hour, minute, second, ms));
}

// A station without a screen: keeps who is in like the store would, and writes down what the
// cycle asked of it.
class FakeStation final : public ClockCycle::Host {
public:
    explicit FakeStation(const FakeTimeSource& time)
        : m_time(time)
    {}

    void showTime(const QDateTime& now) override { shownTime = now; }
    void takeKeyboard() override { calls.append(QStringLiteral("keyboard")); }
    void showNotFound(const Punch& punch) override { calls.append(punch.notFoundMessage()); }
    void showPanel(const Punch& punch) override
    {
        calls.append(QStringLiteral("panel ") + punch.id() + (punch.asksForTips() ? " tips" : ""));
    }
    void hideTips() override { calls.append(QStringLiteral("hide tips")); }
    void hidePanel() override { calls.append(QStringLiteral("hide panel")); }
    void showElapsed(const QString& text) override { calls.append(QStringLiteral("elapsed ") + text); }
    void hideElapsed() override { calls.append(QStringLiteral("hide elapsed")); }
    void showPassword(bool shown) override { calls.append(shown ? "password shown" : "password hidden"); }
    void focusIdBox() override { calls.append(QStringLiteral("focus id")); }
    void leave() override { calls.append(QStringLiteral("leave")); }
    void showError(const QString& message) override { calls.append(QStringLiteral("error ") + message); }
    void playSound(const QString& name) override { calls.append(QStringLiteral("sound ") + name); }

    Punch begin(const QString& typed) override
    {
        const QString id = Punch::normaliseId(typed);
        if (id.isEmpty())
            return Punch();
        if (unknown.contains(id))
            return Punch::notFound(id, QStringLiteral("not found"));
        std::optional<ClockRecords::LatestPunch> latest;
        if (inSince.contains(id))
            latest = ClockRecords::LatestPunch{false, inSince.value(id), 1};
        return Punch::decide(id, staff ? &*staff : nullptr, latest, m_time.now(), settings);
    }
    ClockCycle::Written write(const Punch& punch, const QString& tips) override
    {
        calls.append(QStringLiteral("write %1 %2").arg(punch.id(), tips).trimmed());
        if (failing)
            throw DatabaseError(QStringLiteral("5"), QStringLiteral("locked"));
        ClockRecord record;
        record.employeeId = punch.id();
        record.clockOut = punch.isClockOut();
        record.time = m_time.now();
        if (fileHeld)
            return {std::nullopt, record};
        return {store(record), record};
    }
    std::optional<qint64> writeAgain(const ClockRecord& record) override
    {
        if (failing)
            throw DatabaseError(QStringLiteral("5"), QStringLiteral("locked"));
        if (fileHeld)
            return std::nullopt;
        return store(record);
    }
    qint64 keep(const ClockRecord& record, const QString& reason) override
    {
        calls.append(QStringLiteral("keep %1: %2").arg(record.employeeId, reason));
        return 0;
    }
    void sendWaiting() override { ++sends; }
    void recordStored(const Punch& punch, qint64 recordNumber) override
    {
        calls.append(QStringLiteral("stored %1 #%2").arg(punch.id()).arg(recordNumber));
    }
    void runForcedClockOut() override
    {
        calls.append(QStringLiteral("forced"));
        if (forcedFails)
            throw DatabaseError(QStringLiteral("5"), QStringLiteral("locked"));
    }
    void readStaff(QDate date) override
    {
        calls.append(QStringLiteral("read staff ") + date.toString(Qt::ISODate));
    }
    void note(const QString& line) override
    {
        calls.append(QStringLiteral("note ") + line.section(':', 0, 0));
    }
    void showPin(const QString& prompt, const QString& message) override
    {
        calls.append(QStringLiteral("pin: ") + prompt + (message.isEmpty() ? QString() : " / " + message));
    }
    void hidePin(const QString& message) override
    {
        calls.append(QStringLiteral("id") + (message.isEmpty() ? QString() : ": " + message));
    }
    std::optional<PinRow> pinOf(const QString& id) override
    {
        if (pinsAway)
            return std::nullopt;
        return pins.value(id);
    }
    void startPinWork(const ClockCycle::PinWork& work) override
    {
        calls.append(work.hash.isEmpty() ? QStringLiteral("hash") : QStringLiteral("check"));
        pinWork.append(work);
    }
    bool choosePin(const QString& id, const QString& hash) override
    {
        calls.append(QStringLiteral("choose %1 %2").arg(id, hash));
        pins[id].hash = hash;
        return true;
    }
    PinTable::TryResult countPinTry(const QString& id, bool right) override
    {
        calls.append(QStringLiteral("count %1 %2").arg(id, right ? "right" : "wrong"));
        if (right)
            return {PinTable::Try::Right, triesLeft, QDateTime()};
        --triesLeft;
        return {triesLeft > 0 ? PinTable::Try::Wrong : PinTable::Try::Locked, triesLeft, QDateTime()};
    }
    // The oldest PIN work done as the hashes would do it, with "h:" and the PIN for a hash.
    ClockCycle::PinWorkDone finishPinWork()
    {
        const ClockCycle::PinWork work = pinWork.takeFirst();
        const QString made = QStringLiteral("h:") + work.pin;
        return {work.ticket, !work.hash.isEmpty() && work.hash == made,
                work.hash.isEmpty() ? made : QString()};
    }

    // What was asked since the last look.
    QStringList take()
    {
        QStringList asked = calls;
        calls.clear();
        return asked;
    }

    SettingsRecord settings;
    std::optional<StaffRow> staff; // with an employee database: everyone has this row
    QStringList unknown;
    bool fileHeld = false;
    bool failing = false;
    bool forcedFails = false;
    QHash<QString, PinRow> pins;
    bool pinsAway = false;
    int triesLeft = PinTable::triesBeforeLock;
    QList<ClockCycle::PinWork> pinWork;
    QStringList calls;
    QDateTime shownTime;
    int sends = 0;

private:
    qint64 store(const ClockRecord& record)
    {
        if (record.clockOut)
            inSince.remove(record.employeeId);
        else
            inSince.insert(record.employeeId, record.time);
        return ++m_lastNumber;
    }

    const FakeTimeSource& m_time;
    QHash<QString, QDateTime> inSince;
    qint64 m_lastNumber = 0;
};

// A cycle on a fake station and clock, already past its first tick.
struct Cycle {
    explicit Cycle(ClockCycle::Rules rules = {}, const std::function<void(FakeStation&)>& setUp = {})
    {
        if (setUp)
            setUp(station);
        cycle.emplace(time, station, std::move(rules));
        cycle->tick();
        station.take();
    }
    void tickAt(const QDateTime& moment)
    {
        time.set(moment);
        cycle->tick();
    }
    // Whether the panel is still up after a tick at that moment.
    bool panelUpAt(const QDateTime& moment)
    {
        tickAt(moment);
        return !station.calls.contains(QStringLiteral("hide panel"));
    }

    FakeTimeSource time{at(8, 0)};
    FakeStation station{time};
    std::optional<ClockCycle> cycle;
};

using State = ClockCycle::State;
using Target = ClockCycle::KeyTarget;
} // namespace

TEST(ClockCycle, ThePanelStaysUntilItsDeadlineToTheMillisecond)
{
    const struct {
        const char* name;
        bool out;
        int displaySeconds;
        bool showElapsed;
        int panelMs; // from the moment the panel is up
    } cases[] = {
        {"in", false, 3, false, 3000},
        {"in at once", false, 0, false, 0},
        {"out", true, 5, false, 5000},
        {"out held by the elapsed time", true, 1, true, 2000},
        {"out beyond the elapsed time", true, 5, true, 5000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Cycle f({c.showElapsed, false, {}}, [&](FakeStation& s) {
            s.settings.keepInSeconds = c.out ? 0 : c.displaySeconds;
            s.settings.keepOutSeconds = c.displaySeconds;
        });
        if (c.out)
            f.cycle->enterId(QStringLiteral("7"));  // the IN at 08:00
        const QDateTime start = at(16, 10, 0, 700); // the panel counts from its millisecond
        f.time.set(start);
        f.station.take();
        f.cycle->enterId(QStringLiteral("7"));
        const QStringList asked = f.station.take();
        EXPECT_EQ(asked.contains(QStringLiteral("elapsed 8:10")), c.out && c.showElapsed);
        if (c.panelMs == 0) {
            EXPECT_TRUE(asked.contains(QStringLiteral("hide panel")));
            EXPECT_EQ(f.cycle->state(), State::WaitingForId);
            continue;
        }
        EXPECT_EQ(f.cycle->state(), State::ShowingPunch);
        // The elapsed time has a deadline of its own; each ends at its millisecond, not one before.
        const int elapsedMs = c.out && c.showElapsed ? ClockCycle::elapsedSeconds * 1000 : -1;
        std::set<int> moments{c.panelMs - 1, c.panelMs};
        if (elapsedMs > 0)
            moments.insert({elapsedMs - 1, elapsedMs});
        for (const int ms : moments) {
            f.tickAt(start.addMSecs(ms));
            const QStringList ended = f.station.take();
            EXPECT_EQ(ended.contains(QStringLiteral("hide elapsed")), ms == elapsedMs) << ms;
            EXPECT_EQ(ended.contains(QStringLiteral("hide panel")), ms == c.panelMs) << ms;
        }
        EXPECT_EQ(f.cycle->state(), State::WaitingForId);
    }
}

TEST(ClockCycle, AnOutWithTipsWaitsForThemAndWritesThemWithTheOut)
{
    const struct {
        const char* name;
        bool cancel, showElapsed;
        QStringList asked;
        int panelMs; // after Enter in the tips box; -1: gone at once
    } cases[] = {
        {"entered", false, false, {"hide tips", "sound Out", "write 7 4.5", "stored 7 #2", "hide panel"}, -1},
        {"entered, elapsed shown",
         false,
         true,
         {"hide tips", "sound Out", "write 7 4.5", "elapsed 1:00", "stored 7 #2"},
         2000},
        {"cancelled", true, false, {"hide panel"}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Cycle f({c.showElapsed, false, {}}, [](FakeStation& s) {
            s.settings.reportTips = true;
            s.settings.keepOutSeconds = 5;
        });
        f.cycle->enterId(QStringLiteral("7"));
        f.tickAt(at(8, 1));
        f.station.take();
        f.cycle->enterId(QStringLiteral("7"));
        EXPECT_EQ(f.station.take(), QStringList{"panel 7 tips"}); // no sound and nothing written yet
        EXPECT_EQ(f.cycle->state(), State::AskingForTips);
        EXPECT_TRUE(f.panelUpAt(at(9, 0))); // the display time does not apply while tips are typed
        EXPECT_TRUE(f.cycle->isBusy());
        EXPECT_FALSE(f.cycle->acceptsNoInput());
        f.cycle->enterId(QStringLiteral("8")); // the ID box takes nothing meanwhile
        f.station.take();
        const QDateTime entered = at(9, 0, 0, 300);
        f.time.set(entered);
        if (c.cancel)
            f.cycle->cancelTips();
        else
            f.cycle->enterTips(QStringLiteral("4.5"));
        EXPECT_EQ(f.station.take(), c.asked);
        if (c.panelMs > 0) {
            EXPECT_TRUE(f.panelUpAt(entered.addMSecs(c.panelMs - 1)));
            EXPECT_FALSE(f.panelUpAt(entered.addMSecs(c.panelMs)));
        }
        EXPECT_EQ(f.cycle->state(), State::WaitingForId);
    }
}

TEST(ClockCycle, AnUnknownIdHoldsInputForOneSecond)
{
    Cycle f({}, [](FakeStation& s) { s.unknown = {QStringLiteral("123")}; });
    f.time.set(at(8, 0, 0, 400));
    f.cycle->enterId(QStringLiteral("123"));
    EXPECT_EQ(f.station.take(), (QStringList{"ID 123  not found", "sound Error"}));
    f.time.set(at(8, 0, 1, 399));
    EXPECT_EQ(f.cycle->state(), State::PausedAfterUnknownId);
    f.cycle->enterId(QStringLiteral("7"));
    EXPECT_TRUE(f.station.take().isEmpty());
    f.time.set(at(8, 0, 1, 400));
    EXPECT_EQ(f.cycle->state(), State::WaitingForId);
    f.cycle->enterId(QStringLiteral("7"));
    EXPECT_EQ(f.station.take().value(0), QStringLiteral("panel 7"));
}

TEST(ClockCycle, ARejectedPunchIsShownUntilItsDeadlineAndNotWritten)
{
    Cycle f({}, [](FakeStation& s) {
        s.staff = StaffRow{QStringLiteral("Ann"), 1, 46360, QStringLiteral("A"), 0, 32, 68}; // 08:00-17:00
        s.settings.earlyInShow = s.settings.earlyInReject = true;
        s.settings.earlyLimit = 10;
        s.settings.keepInSeconds = 2;
    });
    f.time.set(at(7, 0));
    f.cycle->enterId(QStringLiteral("a"));
    EXPECT_EQ(f.station.take(), (QStringList{"panel A", "sound Error"}));
    EXPECT_TRUE(f.panelUpAt(at(7, 0, 1, 999)));
    EXPECT_FALSE(f.panelUpAt(at(7, 0, 2)));
}

TEST(ClockCycle, APunchTheFileHoldsBackKeepsThePanelUntilStoredOrQueued)
{
    const struct {
        const char* name;
        int freedAfterMs; // -1: never
        QString end;
    } cases[] = {
        {"freed after ten seconds", 10000, "stored 7 #1"},
        {"freed a moment before the queue takes it", 29999, "stored 7 #1"},
        {"held half a minute", -1, "keep 7: another program held the clock database for 30 seconds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Cycle f({}, [](FakeStation& s) {
            s.settings.keepInSeconds = 3;
            s.fileHeld = true;
        });
        const QDateTime start = at(8, 0, 5, 250);
        f.time.set(start);
        f.cycle->enterId(QStringLiteral("7"));
        EXPECT_EQ(f.station.take(), (QStringList{"panel 7", "sound In", "write 7"}));
        EXPECT_EQ(f.cycle->state(), State::StoringPunch);
        EXPECT_TRUE(f.cycle->acceptsNoInput());
        const int endMs = c.freedAfterMs >= 0 ? c.freedAfterMs : ClockCycle::patienceSeconds * 1000;
        EXPECT_TRUE(f.panelUpAt(start.addMSecs(endMs - 1))); // long past the display time
        EXPECT_EQ(f.cycle->state(), State::StoringPunch);
        f.station.take();
        f.station.fileHeld = c.freedAfterMs < 0;
        f.tickAt(start.addMSecs(endMs));
        const QStringList asked = f.station.take();
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_EQ(asked.first(), c.end);
        EXPECT_EQ(asked.last(), QStringLiteral("hide panel")); // stored, and the display time is over
        EXPECT_EQ(f.cycle->state(), State::WaitingForId);
    }
}

TEST(ClockCycle, TheQueueIsSentEveryTwoSeconds)
{
    Cycle f;
    const int afterFirstTick = f.station.sends;
    EXPECT_EQ(afterFirstTick, 1);
    f.tickAt(at(8, 0, 1, 999));
    EXPECT_EQ(f.station.sends, 1);
    f.tickAt(at(8, 0, 2));
    EXPECT_EQ(f.station.sends, 2);
}

TEST(ClockCycle, AForcedPassDueDuringAPunchRunsBeforeThatPunchIsStoredOrAfterIt)
{
    // While tips are typed the pass waits and runs just before the OUT, as it would have run
    // without the tips; while a punch waits for the file it runs at the tick after it is stored.
    Cycle tips({}, [](FakeStation& s) { s.settings.reportTips = true; });
    tips.cycle->enterId(QStringLiteral("7"));
    tips.tickAt(at(20, 45));
    tips.cycle->enterId(QStringLiteral("7"));
    tips.tickAt(at(20, 45, 1));
    tips.tickAt(at(20, 45, 2));
    tips.station.take();
    tips.cycle->enterTips(QStringLiteral("5"));
    EXPECT_EQ(tips.station.take().mid(0, 4), (QStringList{"hide tips", "forced", "sound Out", "write 7 5"}));
    tips.tickAt(at(20, 45, 3));
    EXPECT_FALSE(tips.station.take().contains(QStringLiteral("forced")));

    Cycle held({}, [](FakeStation& s) { s.fileHeld = true; });
    held.tickAt(at(20, 45));
    held.cycle->enterId(QStringLiteral("7"));
    held.tickAt(at(20, 45, 1));
    held.station.fileHeld = false;
    held.station.take();
    held.tickAt(at(20, 45, 2));
    EXPECT_EQ(held.station.take().mid(0, 2), (QStringList{"stored 7 #1", "hide panel"}));
    held.tickAt(at(20, 45, 2, 100));
    EXPECT_EQ(held.station.take(), QStringList{"forced"});
}

TEST(ClockCycle, AForcedPassThatCannotWriteTriesAgainAMinuteLater)
{
    Cycle f({}, [](FakeStation& s) { s.forcedFails = true; });
    f.tickAt(at(20, 45, 1));
    EXPECT_EQ(f.station.take(),
              (QStringList{"forced", "note Forced clock-out not written, tried again in a minute"}));
    f.station.forcedFails = false;
    f.tickAt(at(20, 46, 0, 999));
    EXPECT_TRUE(f.station.take().isEmpty());
    f.tickAt(at(20, 46, 1));
    EXPECT_EQ(f.station.take(), QStringList{"forced"});
    f.tickAt(at(20, 47, 1));
    EXPECT_TRUE(f.station.take().isEmpty());
}

TEST(ClockCycle, TheSchedulingDatabasesStaffAreReadAtEachNewDay)
{
    FakeTimeSource time(at(23, 59, 59));
    FakeStation station(time);
    ClockCycle cycle(time, station, {false, true, {}});
    cycle.tick(); // the first tick is a date change
    EXPECT_EQ(station.take(), (QStringList{"read staff 2026-12-04", "keyboard"}));
    EXPECT_TRUE(cycle.isReadingStaff());
    EXPECT_TRUE(cycle.acceptsNoInput());
    EXPECT_EQ(cycle.keypadTarget(false), Target::Nowhere);
    cycle.staffRead();
    EXPECT_FALSE(cycle.isBusy());
    time.set(QDateTime(day, QTime(23, 59, 59, 999)));
    cycle.tick();
    EXPECT_TRUE(station.take().isEmpty());
    time.set(QDateTime(day.addDays(1), QTime(0, 0)));
    cycle.tick();
    EXPECT_EQ(station.take(), QStringList{"read staff 2026-12-05"});

    // The server was away for that read: it is read again once the server answers, and only then.
    cycle.staffReadMissed(day.addDays(1));
    cycle.serverBack(); // still reading
    EXPECT_TRUE(station.take().isEmpty());
    cycle.staffRead();
    cycle.serverBack();
    EXPECT_EQ(station.take(), QStringList{"read staff 2026-12-05"});
    cycle.staffRead();
    cycle.serverBack();
    EXPECT_TRUE(station.take().isEmpty());

    Cycle localStaff; // the staff files are read by the editors, never by the clock
    localStaff.tickAt(QDateTime(day.addDays(1), QTime(0, 0)));
    EXPECT_FALSE(localStaff.station.take().join(' ').contains(QStringLiteral("read staff")));
}

TEST(ClockCycle, InputGoesOnlyWhereTheMomentAllows)
{
    const struct {
        const char* name;
        std::function<void(Cycle&)> setUp;
        State state;
        bool busy, noInput;
        Target key, clear;
    } cases[] = {
        {"waiting", [](Cycle&) {}, State::WaitingForId, false, false, Target::IdBox, Target::IdBox},
        {"password asked", [](Cycle& f) { f.cycle->askToLeave(); }, State::WaitingForId, false, false,
         Target::PasswordBox, Target::IdBox},
        {"unknown ID", [](Cycle& f) { f.cycle->enterId(QStringLiteral("X")); }, State::PausedAfterUnknownId,
         true, true, Target::Nowhere, Target::Nowhere},
        {"punch shown", [](Cycle& f) { f.cycle->enterId(QStringLiteral("7")); }, State::ShowingPunch, true,
         true, Target::Nowhere, Target::Nowhere},
        {"tips asked",
         [](Cycle& f) {
             f.station.settings.reportTips = true;
             f.station.settings.keepInSeconds = 0;
             f.cycle->enterId(QStringLiteral("8"));
             f.cycle->enterId(QStringLiteral("8"));
         },
         State::AskingForTips, true, false, Target::TipsBox, Target::TipsBox},
        {"file held",
         [](Cycle& f) {
             f.station.settings.keepInSeconds = 0;
             f.station.fileHeld = true;
             f.cycle->enterId(QStringLiteral("7"));
         },
         State::StoringPunch, true, true, Target::Nowhere, Target::Nowhere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Cycle f({false, false, QStringLiteral("K9")}, [](FakeStation& s) {
            s.unknown = {QStringLiteral("X")};
            s.settings.keepInSeconds = 3;
        });
        c.setUp(f);
        EXPECT_EQ(f.cycle->state(), c.state);
        EXPECT_EQ(f.cycle->isBusy(), c.busy);
        EXPECT_EQ(f.cycle->acceptsNoInput(), c.noInput);
        EXPECT_EQ(f.cycle->keypadTarget(false), c.key);
        EXPECT_EQ(f.cycle->keypadTarget(true), c.clear);
        f.station.take();
        f.cycle->askToLeave(); // Exit does nothing while no input is taken
        EXPECT_EQ(f.station.take().isEmpty(), c.noInput);
    }
}

TEST(ClockCycle, LeavingTakesThePasswordWhenOneIsSet)
{
    const struct {
        const char* password;
        QStringList typed;
        QStringList asked;
    } cases[] = {
        {"", {}, {"leave"}},
        {"  ", {}, {"leave"}},
        {"K9", {"nope"}, {"password shown"}},
        {"K9", {""}, {"password shown", "password hidden", "focus id"}},
        {"K9", {"x", " k9 "}, {"password shown", "password hidden", "leave"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.join('|').toStdString());
        Cycle f({false, false, QString::fromLatin1(c.password)});
        f.cycle->askToLeave();
        for (const QString& typed : c.typed)
            f.cycle->enterPassword(typed);
        EXPECT_EQ(f.station.take(), c.asked);
    }
}

TEST(ClockCycle, ADatabaseErrorEndsThePunchWithItsMessage)
{
    Cycle f({}, [](FakeStation& s) { s.failing = true; });
    f.cycle->enterId(QStringLiteral("7"));
    const QStringList asked = f.station.take();
    ASSERT_EQ(asked.size(), 5);
    EXPECT_EQ(asked.at(3), QStringLiteral("hide panel"));
    EXPECT_TRUE(asked.at(4).startsWith(QStringLiteral("error ")));
    EXPECT_FALSE(f.cycle->isBusy());

    // A held punch whose file then fails is given up with a line in the log and the message.
    Cycle held({}, [](FakeStation& s) { s.fileHeld = true; });
    held.cycle->enterId(QStringLiteral("7"));
    held.station.failing = true;
    held.station.take();
    held.tickAt(at(8, 0, 1));
    const QStringList after = held.station.take();
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after.at(0), QStringLiteral("note Waiting punches not stored"));
    EXPECT_EQ(after.at(1), QStringLiteral("hide panel"));
    EXPECT_EQ(held.cycle->state(), State::WaitingForId);
}

TEST(ClockCycle, PicturesAreStampedWithTheDateSeenAtTheLastTick)
{
    FakeTimeSource time(at(23, 59, 59));
    FakeStation station(time);
    ClockCycle cycle(time, station, {});
    EXPECT_EQ(cycle.pictureDay(), day); // before any tick: today
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(station.take().count(QStringLiteral("keyboard")), 1);
    time.set(QDateTime(day.addDays(1), QTime(0, 0, 0, 50)));
    EXPECT_EQ(cycle.pictureDay(), day);
    cycle.tick();
    EXPECT_EQ(cycle.pictureDay(), day.addDays(1));
    EXPECT_EQ(station.shownTime, QDateTime(day.addDays(1), QTime(0, 0)));
}

// With PINs asked for, the punch waits for the employee's PIN; what is typed, and the hash work done
// meanwhile ("done"), is answered as the calls say.
TEST(ClockCycle, ThePinStepComesBetweenTheIdAndThePunch)
{
    const QString choose = QStringLiteral("pin: Choose a PIN of 4 to 8 digits");
    const QString again = QStringLiteral("pin: Type it again");
    const QString type = QStringLiteral("pin: Type your PIN");
    const QStringList punched = {"id", "panel 7", "sound In", "write 7", "stored 7 #1"};
    const struct {
        const char* name;
        std::function<void(FakeStation&)> setUp;
        QStringList typed;
        QStringList asked;
        State state;
    } cases[] = {
        {"first PIN chosen",
         {},
         {"7", "12", "123456789", "1234", "1235", "1234", "1234", "done"},
         QStringList{choose, "sound Error", choose + " / A PIN is 4 to 8 digits", "sound Error",
                     choose + " / A PIN is 4 to 8 digits", again, "sound Error",
                     choose + " / The two PINs differ", again, again + " / One moment...", "hash",
                     "choose 7 h:1234"} +
             punched,
         State::ShowingPunch},
        {"right PIN",
         [](FakeStation& s) { s.pins[QStringLiteral("7")].hash = QStringLiteral("h:4321"); },
         {"7", "4321", "done"},
         QStringList{type, type + " / One moment...", "check", "count 7 right"} + punched,
         State::ShowingPunch},
        {"wrong PIN, then a try left",
         [](FakeStation& s) {
             s.pins[QStringLiteral("7")].hash = QStringLiteral("h:4321");
             s.triesLeft = 2;
         },
         {"7", "1111", "done"},
         {type, type + " / One moment...", "check", "count 7 wrong", "sound Error",
          type + " / Wrong PIN, 1 try left"},
         State::AskingForPin},
        {"the last wrong PIN locks",
         [](FakeStation& s) {
             s.pins[QStringLiteral("7")].hash = QStringLiteral("h:4321");
             s.triesLeft = 1;
         },
         {"7", "1111", "done"},
         {type, type + " / One moment...", "check", "count 7 wrong", "id: Too many tries, ask your manager",
          "sound Error"},
         State::PausedAfterUnknownId},
        {"locked already: no PIN asked",
         [](FakeStation& s) {
             s.pins[QStringLiteral("7")] = {QStringLiteral("h:4321"), 0, at(8, 0, 1)};
         },
         {"7"},
         {"id: Too many tries, ask your manager", "sound Error"},
         State::PausedAfterUnknownId},
        {"server away: the punch goes on without the PIN",
         [](FakeStation& s) { s.pinsAway = true; },
         {"7"},
         {"note PIN not asked of 7", "panel 7", "sound In", "write 7", "stored 7 #1"},
         State::ShowingPunch},
        {"unknown ID: no PIN asked",
         [](FakeStation& s) { s.unknown = QStringList{QStringLiteral("7")}; },
         {"7"},
         {"ID 7  not found", "sound Error"},
         State::PausedAfterUnknownId},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClockCycle::Rules rules;
        rules.asksPin = true;
        Cycle f(rules, [&](FakeStation& s) {
            s.settings.keepInSeconds = 3;
            if (c.setUp)
                c.setUp(s);
        });
        for (const QString& typed : c.typed) {
            if (typed != QLatin1String("done")) {
                f.cycle->enterId(typed);
                continue;
            }
            // Nothing typed counts while the hash is worked out.
            EXPECT_EQ(f.cycle->state(), State::CheckingPin);
            EXPECT_TRUE(f.cycle->acceptsNoInput());
            EXPECT_EQ(f.cycle->keypadTarget(false), Target::Nowhere);
            f.cycle->enterId(QStringLiteral("99999"));
            f.cycle->pinWorkDone(f.station.finishPinWork());
        }
        EXPECT_EQ(f.station.take(), c.asked);
        EXPECT_EQ(f.cycle->state(), c.state);
    }
}

TEST(ClockCycle, APinLeftHalfTypedClearsWhenNoKeyComesForItsPatience)
{
    ClockCycle::Rules rules;
    rules.asksPin = true;
    Cycle f(rules, [](FakeStation& s) {
        s.pins[QStringLiteral("7")].hash = QStringLiteral("h:4321");
        s.settings.keepInSeconds = 3;
    });
    const QDateTime start = at(8, 0, 0, 500);
    const int patienceMs = ClockCycle::pinPatienceSeconds * 1000;
    f.time.set(start);
    f.cycle->enterId(QStringLiteral("7"));
    EXPECT_FALSE(f.cycle->isBusy()); // the box takes the PIN
    EXPECT_EQ(f.cycle->keypadTarget(false), Target::IdBox);
    f.tickAt(start.addMSecs(patienceMs - 1));
    f.time.set(start.addSecs(4));
    f.cycle->pinTyped(); // a key waits again from its own moment
    f.tickAt(start.addMSecs(4000 + patienceMs - 1));
    EXPECT_EQ(f.cycle->state(), State::AskingForPin);
    f.station.take();
    f.tickAt(start.addMSecs(4000 + patienceMs));
    EXPECT_EQ(f.station.take(), QStringList{"id"});
    EXPECT_EQ(f.cycle->state(), State::WaitingForId);

    // A check under way has no deadline: its answer comes however long the hash takes.
    f.cycle->enterId(QStringLiteral("7"));
    f.cycle->enterId(QStringLiteral("4321"));
    f.cycle->cancelPin();
    f.tickAt(start.addSecs(60));
    EXPECT_EQ(f.cycle->state(), State::CheckingPin);
    f.cycle->pinWorkDone(f.station.finishPinWork());
    EXPECT_EQ(f.cycle->state(), State::ShowingPunch);

    // Leaving the screen, or Escape, gives the box back to the ID.
    f.tickAt(start.addSecs(70));
    f.cycle->enterId(QStringLiteral("7"));
    f.station.take();
    f.cycle->askToLeave();
    EXPECT_EQ(f.station.take(), (QStringList{"id", "leave"}));
    f.cycle->enterId(QStringLiteral("7"));
    f.station.take();
    f.cycle->cancelPin();
    EXPECT_EQ(f.station.take(), QStringList{"id"});
    EXPECT_EQ(f.cycle->state(), State::WaitingForId);
}
