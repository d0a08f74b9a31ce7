#pragma once

#include "store/WeeklySchedule.h"

#include <QList>
#include <array>

// A working period in quarter hours since midnight (0 = 00:00, 96 = 24:00).
struct SchedulePeriod {
    int start = 0;
    int stop = 0;

    bool operator==(const SchedulePeriod&) const = default;
};

// The week grid of the employee editor, measured in twips and free of any widget: the bars of the
// seven day rows, the drag of one bar with the mouse, and the line clipboard in row 0.
class ScheduleGrid {
public:
    static constexpr int dayRows = 7;
    static constexpr int slotCount = 4;
    static constexpr int maxPeriods = 3;
    static constexpr int maxValue = 96;
    static constexpr int rowHeight = 240;
    static constexpr int barTop = 50;
    static constexpr int barBottom = 170;
    static constexpr int quarterWidth = 90;
    static constexpr int hourWidth = 360;
    static constexpr int width = 8670;
    static constexpr int height = dayRows * rowHeight;
    static constexpr int pickUpZone = 60;
    static constexpr int timelineLength = 769;

    enum class Drag { None, Resize, Move };

    // The ends of the bar being dragged, in twips and in drawing order (left <= right).
    struct DraggedBar {
        int row = 0;
        int left = 0;
        int right = 0;
    };

    ScheduleGrid() = default;
    explicit ScheduleGrid(const WeeklySchedule& schedule) { load(schedule); }

    // Slots whose stop code is a blank are empty; every other slot keeps its stored values.
    void load(const WeeklySchedule& schedule);
    WeeklySchedule schedule() const;
    void clear();

    // row 0..7, slot 1..4.
    int start(int row, int slot) const;
    int stop(int row, int slot) const;
    int count(int row) const;
    // The counted bars of a day row, in slot order.
    QList<SchedulePeriod> periods(int row) const;
    // Replaces the row with the periods after merging them; refused (false, nothing changed) when
    // more than three separate periods would remain.
    bool setPeriods(int row, const QList<SchedulePeriod>& periods);
    void clearRow(int row);

    // A twip position rounded to the nearest quarter hour; a remainder of exactly 45 rounds down.
    static int snap(int twips);
    // The row of a vertical position: 1..7 inside the grid, anything else outside.
    static int rowAt(int y);
    // Overlapping and touching bars become one period, in time order; reading stops after three
    // periods or at one that ends at 24:00. `dropped` tells whether a further period was left out.
    static QList<SchedulePeriod> merged(const QList<SchedulePeriod>& bars, bool* dropped = nullptr);

    // A press in a day row starts drawing, resizing or moving a bar; false when outside the rows.
    bool press(int x, int y);
    void moveTo(int x);
    // Finishes the drag at x and stores the bar; a release outside the day rows cancels it.
    void release(int x, int y);
    // Puts a picked-up bar back where it was.
    void cancelDrag();
    Drag drag() const { return m_drag; }
    DraggedBar draggedBar() const;

    void copyRow(int row);
    void cutRow(int row);
    // Only into an empty row; false (the caller beeps) when the row has a bar.
    bool pasteRow(int row);

    bool operator==(const ScheduleGrid& other) const
    {
        return m_slots == other.m_slots && m_count == other.m_count;
    }

private:
    static bool validRow(int row) { return row >= 0 && row <= dayRows; }
    void normalise(int row);
    void recount(int row);

    std::array<std::array<SchedulePeriod, slotCount>, dayRows + 1> m_slots{};
    std::array<int, dayRows + 1> m_count{};

    Drag m_drag = Drag::None;
    int m_row = 0;
    int m_x0 = 0;
    int m_x1 = 0; // the end that follows the mouse while resizing
    int m_lastX = 0;
    int m_editedSlot = 0; // 0 for a new bar
    SchedulePeriod m_pickedUp;
};
