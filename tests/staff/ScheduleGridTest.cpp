#include "staff/ScheduleGrid.h"

#include "store/StaffFiles.h"

#include <gtest/gtest.h>

namespace {
using P = SchedulePeriod;

int yOf(int row)
{
    return (row - 1) * ScheduleGrid::rowHeight + 100;
}

struct Stroke {
    int pressX;
    int releaseX;
};

struct DrawCase {
    const char* what;
    QList<P> before;
    QList<Stroke> strokes;
    QList<P> after;
};

} // namespace

void PrintTo(const SchedulePeriod& p, std::ostream* os)
{
    *os << '[' << p.start << ',' << p.stop << ']';
}

TEST(ScheduleGrid, DrawingOnARow)
{
    const DrawCase cases[] = {
        {"08:07 to 16:53 snaps to 08:00-17:00", {}, {{2922, 6080}}, {{32, 68}}},
        {"a remainder of exactly 45 rounds down", {}, {{2925, 6075}}, {{32, 67}}},
        {"dragging leftwards orders the ends", {}, {{6080, 2922}}, {{32, 68}}},
        {"a click stores nothing", {}, {{3000, 3000}}, {}},
        {"a drag shorter than a quarter stores nothing", {}, {{2970, 3059}}, {}},
        {"the press is snapped before the length is measured", {}, {{3000, 3089}}, {{33, 34}}},
        {"drawing beyond the end stops at 24:00", {}, {{7200, 9900}}, {{80, 96}}},
        {"drawing before the start stops at 00:00", {}, {{720, -500}}, {{0, 8}}},
        {"09:00-11:00 drawn over 08:00-10:00", {{32, 40}}, {{3960, 3240}}, {{32, 44}}},
        {"touching periods merge", {{32, 48}}, {{5760, 4320}}, {{32, 64}}},
        {"a fourth period drops the latest",
         {{32, 40}, {48, 56}, {64, 72}},
         {{2160, 2520}},
         {{24, 28}, {32, 40}, {48, 56}}},
        {"a fourth period after the others is dropped",
         {{32, 40}, {48, 56}, {64, 72}},
         {{7200, 7560}},
         {{32, 40}, {48, 56}, {64, 72}}},
        {"the middle of a bar moves it", {{32, 40}}, {{3240, 4680}}, {{48, 56}}},
        {"a moved bar stops at 24:00", {{80, 88}}, {{7560, 8560}}, {{91, 96}}},
        {"near its start a bar is resized from the start", {{32, 68}}, {{2900, 2520}}, {{28, 68}}},
        {"near its stop a bar is resized from the stop", {{32, 68}}, {{6100, 6480}}, {{32, 72}}},
        {"a bar shrunk below a quarter disappears", {{32, 36}}, {{3200, 2900}}, {}},
        {"a moved bar merges with its neighbour", {{32, 40}, {48, 56}}, {{3240, 3960}}, {{40, 56}}},
        {"picking up and dropping in place keeps the bar", {{32, 40}}, {{3240, 3240}}, {{32, 40}}},
    };
    for (const DrawCase& c : cases) {
        ScheduleGrid grid;
        ASSERT_TRUE(grid.setPeriods(2, c.before)) << c.what;
        for (const Stroke& s : c.strokes) {
            ASSERT_TRUE(grid.press(s.pressX, yOf(2))) << c.what;
            grid.moveTo((s.pressX + s.releaseX) / 2);
            grid.release(s.releaseX, yOf(2) + 500); // releasing over another row still stores in Monday
        }
        EXPECT_EQ(grid.periods(2), c.after)
            << c.what << ": got " << ::testing::PrintToString(grid.periods(2));
        EXPECT_EQ(grid.count(2), c.after.size()) << c.what;
        EXPECT_EQ(grid.drag(), ScheduleGrid::Drag::None) << c.what;
        for (int other : {1, 3, 4, 5, 6, 7})
            EXPECT_EQ(grid.count(other), 0) << c.what;
    }
}

TEST(ScheduleGrid, OutsideTheRows)
{
    ScheduleGrid grid;
    grid.setPeriods(7, {{32, 40}});
    EXPECT_FALSE(grid.press(3000, 7 * ScheduleGrid::rowHeight + 1));
    EXPECT_FALSE(grid.press(3000, -1));
    // A bar picked up and released outside the grid goes back where it was.
    ASSERT_TRUE(grid.press(3240, yOf(7)));
    EXPECT_EQ(grid.count(7), 1);
    EXPECT_EQ(grid.start(7, 1) + grid.stop(7, 1), 0) << "taken out of its slot while dragged";
    grid.moveTo(5000);
    const ScheduleGrid::DraggedBar bar = grid.draggedBar();
    EXPECT_EQ(std::tuple(bar.row, bar.left, bar.right), std::tuple(7, 2880 + 1760, 3600 + 1760));
    grid.release(5000, 7 * ScheduleGrid::rowHeight + 10);
    EXPECT_EQ(grid.periods(7), (QList<P>{{32, 40}}));
}

TEST(ScheduleGrid, LineClipboard)
{
    ScheduleGrid grid;
    grid.setPeriods(2, {{32, 48}, {52, 68}});
    grid.setPeriods(4, {{40, 44}});
    grid.copyRow(2);
    EXPECT_TRUE(grid.pasteRow(3));
    EXPECT_EQ(grid.periods(3), grid.periods(2));
    EXPECT_FALSE(grid.pasteRow(4)) << "a row with a bar refuses the paste";
    EXPECT_EQ(grid.periods(4), (QList<P>{{40, 44}}));
    grid.cutRow(4);
    EXPECT_EQ(grid.count(4), 0);
    EXPECT_TRUE(grid.pasteRow(1));
    EXPECT_EQ(grid.periods(1), (QList<P>{{40, 44}}));
}

TEST(ScheduleGrid, CodesSurviveTheEmployeeFile)
{
    ScheduleGrid grid;
    grid.setPeriods(1, {{12, 44}});           // Sunday 03:00-11:00: value 12 would be a comma
    grid.setPeriods(2, {{32, 48}, {52, 96}}); // Monday until 24:00
    grid.setPeriods(5, {{0, 12}, {20, 30}, {40, 50}});
    Employee e{7, QStringLiteral("Night"), QStringLiteral("N"), 0, {}, true, grid.schedule()};
    const QByteArray bytes = StaffFiles::employeeBytes({e});
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(static_cast<unsigned char>(lines[6][0]), 169);
    EXPECT_EQ(static_cast<unsigned char>(lines[6][4]), 64);
    EXPECT_EQ(static_cast<unsigned char>(lines[6][5]), 84);
    EXPECT_EQ(static_cast<unsigned char>(lines[7][5]), 128);
    EXPECT_EQ(static_cast<unsigned char>(lines[7][16]), 169);
    EXPECT_FALSE(lines[6].contains(','));
    EXPECT_FALSE(lines[7].contains(','));

    const EmployeeList back = StaffFiles::readEmployees(bytes);
    ASSERT_EQ(back.count(), 1);
    const ScheduleGrid decoded(back.entries[0].schedule);
    EXPECT_EQ(decoded, grid);
    EXPECT_EQ(decoded.periods(1), (QList<P>{{12, 44}}));
    EXPECT_EQ(decoded.schedule(), e.schedule);
}

TEST(ScheduleGrid, DecodingCountsLeadingSlots)
{
    // A hand-made file with a gap: the count ends at the first empty slot.
    QByteArray start(28, ' ');
    QByteArray stop(28, ' ');
    start[4] = char(64), stop[4] = char(80);
    start[6] = char(84), stop[6] = char(100);
    const ScheduleGrid grid(WeeklySchedule(start, stop));
    EXPECT_EQ(grid.count(2), 1);
    EXPECT_EQ(grid.periods(2), (QList<P>{{32, 48}}));
}
