#include "staff/ScheduleGrid.h"

#include <QtGlobal>
#include <algorithm>

namespace {
int floorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
} // namespace

void ScheduleGrid::load(const WeeklySchedule& schedule)
{
    clear();
    for (int day = 1; day <= dayRows; ++day) {
        for (int slot = 1; slot <= slotCount; ++slot) {
            if (!schedule.isEmpty(day, slot))
                m_slots[day][slot - 1] = {schedule.start(day, slot), schedule.stop(day, slot)};
        }
        recount(day);
    }
}

WeeklySchedule ScheduleGrid::schedule() const
{
    WeeklySchedule result;
    for (int day = 1; day <= dayRows; ++day) {
        for (int slot = 1; slot <= slotCount; ++slot) {
            const SchedulePeriod& p = m_slots[day][slot - 1];
            if (p.start != 0 || p.stop != 0)
                result.setSlot(day, slot, p.start, p.stop);
        }
    }
    return result;
}

void ScheduleGrid::clear()
{
    m_slots = {};
    m_count = {};
    m_drag = Drag::None;
}

int ScheduleGrid::start(int row, int slot) const
{
    return validRow(row) && slot >= 1 && slot <= slotCount ? m_slots[row][slot - 1].start : 0;
}

int ScheduleGrid::stop(int row, int slot) const
{
    return validRow(row) && slot >= 1 && slot <= slotCount ? m_slots[row][slot - 1].stop : 0;
}

int ScheduleGrid::count(int row) const
{
    return validRow(row) ? m_count[row] : 0;
}

QList<SchedulePeriod> ScheduleGrid::periods(int row) const
{
    QList<SchedulePeriod> result;
    for (int slot = 0; slot < count(row); ++slot)
        result.append(m_slots[row][slot]);
    return result;
}

bool ScheduleGrid::setPeriods(int row, const QList<SchedulePeriod>& periods)
{
    if (!validRow(row))
        return false;
    bool dropped = false;
    const QList<SchedulePeriod> kept = merged(periods, &dropped);
    if (dropped)
        return false;
    m_slots[row] = {};
    for (int i = 0; i < kept.size(); ++i)
        m_slots[row][i] = kept[i];
    recount(row);
    return true;
}

void ScheduleGrid::clearRow(int row)
{
    if (!validRow(row))
        return;
    m_slots[row] = {};
    m_count[row] = 0;
}

int ScheduleGrid::snap(int twips)
{
    const int q = floorDiv(twips, quarterWidth);
    const int r = twips - q * quarterWidth;
    return (r <= quarterWidth / 2 ? q : q + 1) * quarterWidth;
}

int ScheduleGrid::rowAt(int y)
{
    return floorDiv(y, rowHeight) + 1;
}

QList<SchedulePeriod> ScheduleGrid::merged(const QList<SchedulePeriod>& bars, bool* dropped)
{
    // Position p of the timeline stands for the quarter hour p - 1; a bar marks the quarter hours it
    // covers, so bars that only touch still form one run.
    std::array<bool, timelineLength + 1> marked{};
    for (const SchedulePeriod& bar : bars) {
        const int first = qMax(bar.start + 1, 1);
        const int last = qMin(bar.stop, timelineLength);
        for (int p = first; p <= last; ++p)
            marked[p] = true;
    }
    QList<SchedulePeriod> runs;
    bool more = false;
    int p = 1;
    for (;;) {
        while (p <= timelineLength && !marked[p])
            ++p;
        if (p > timelineLength)
            break;
        if (runs.size() == maxPeriods) {
            more = true;
            break;
        }
        int q = p;
        while (q <= timelineLength && marked[q])
            ++q;
        runs.append({p - 1, q - 1});
        if (q - 1 >= maxValue)
            break;
        p = q;
    }
    if (dropped)
        *dropped = more;
    return runs;
}

bool ScheduleGrid::press(int x, int y)
{
    const int row = rowAt(y);
    if (row < 1 || row > dayRows)
        return false;
    m_row = row;
    m_lastX = x;
    m_editedSlot = 0;
    for (int slot = 1; slot <= maxPeriods; ++slot) {
        const SchedulePeriod bar = m_slots[row][slot - 1];
        const int left = bar.start * quarterWidth;
        const int right = bar.stop * quarterWidth;
        if (bar.start == bar.stop || x < left || x > right)
            continue;
        m_editedSlot = slot;
        m_pickedUp = bar;
        m_slots[row][slot - 1] = {};
        if (x - left > pickUpZone && right - x > pickUpZone) {
            m_drag = Drag::Move;
            m_x0 = left;
            m_x1 = right;
        } else if (x - left <= pickUpZone) {
            m_drag = Drag::Resize; // the start end follows the mouse
            m_x0 = right;
            m_x1 = left;
        } else {
            m_drag = Drag::Resize;
            m_x0 = left;
            m_x1 = right;
        }
        return true;
    }
    m_drag = Drag::Resize;
    m_x0 = m_x1 = snap(x);
    return true;
}

void ScheduleGrid::moveTo(int x)
{
    if (m_drag == Drag::Resize) {
        m_x1 = x;
    } else if (m_drag == Drag::Move) {
        m_x0 += x - m_lastX;
        m_x1 += x - m_lastX;
    }
    m_lastX = x;
}

void ScheduleGrid::release(int x, int y)
{
    if (m_drag == Drag::None)
        return;
    const int row = rowAt(y);
    if (row < 1 || row > dayRows) {
        cancelDrag();
        return;
    }
    moveTo(x);
    m_drag = Drag::None;

    int x0 = qMin(m_x0, m_x1);
    int x1 = qMax(m_x0, m_x1);
    x0 = qMax(x0, 0);
    x1 = qMin(x1, width);
    if (x1 - x0 < quarterWidth)
        x0 = x1 = 0;
    x1 = snap(x1);
    x0 = snap(x0);
    const SchedulePeriod bar{x0 / quarterWidth, x1 / quarterWidth};

    auto& slots = m_slots[m_row];
    if (m_editedSlot > 0) {
        slots[m_editedSlot - 1] = bar;
    } else if (m_count[m_row] < slotCount) {
        slots[m_count[m_row]] = bar;
        ++m_count[m_row];
    } else {
        // Only a damaged file fills all four slots; the new bar then joins them on the timeline.
        QList<SchedulePeriod> all(slots.begin(), slots.end());
        all.append(bar);
        const QList<SchedulePeriod> kept = merged(all);
        slots = {};
        for (int i = 0; i < kept.size(); ++i)
            slots[i] = kept[i];
        recount(m_row);
        return;
    }
    normalise(m_row);
}

void ScheduleGrid::cancelDrag()
{
    if (m_drag == Drag::None)
        return;
    m_drag = Drag::None;
    if (m_editedSlot > 0)
        m_slots[m_row][m_editedSlot - 1] = m_pickedUp;
}

ScheduleGrid::DraggedBar ScheduleGrid::draggedBar() const
{
    if (m_drag == Drag::None)
        return {};
    return {m_row, qMin(m_x0, m_x1), qMax(m_x0, m_x1)};
}

void ScheduleGrid::copyRow(int row)
{
    if (row < 1 || row > dayRows)
        return;
    m_slots[0] = m_slots[row];
    m_count[0] = m_count[row];
}

void ScheduleGrid::cutRow(int row)
{
    if (row < 1 || row > dayRows)
        return;
    copyRow(row);
    clearRow(row);
}

bool ScheduleGrid::pasteRow(int row)
{
    if (row < 1 || row > dayRows || m_count[row] > 0)
        return false;
    m_slots[row] = m_slots[0];
    recount(row);
    return true;
}

void ScheduleGrid::normalise(int row)
{
    const auto& slots = m_slots[row];
    const QList<SchedulePeriod> kept = merged(QList<SchedulePeriod>(slots.begin(), slots.end()));
    m_slots[row] = {};
    for (int i = 0; i < kept.size(); ++i)
        m_slots[row][i] = kept[i];
    recount(row);
}

void ScheduleGrid::recount(int row)
{
    auto& slots = m_slots[row];
    int n = 0;
    while (n < slotCount && slots[n].start != slots[n].stop)
        ++n;
    if (n < slotCount)
        slots[n] = {};
    m_count[row] = n;
}
