#pragma once

#include <QByteArray>

// An employee's week: 7 days (1 = Sunday .. 7 = Saturday) of 4 working periods each, in quarter
// hours since midnight, kept as the two 28-byte code strings it is stored in.
class WeeklySchedule {
public:
    static constexpr int dayCount = 7;
    static constexpr int slotCount = 4;
    static constexpr int codeLength = dayCount * slotCount;
    static constexpr int maxValue = 96; // 24:00

    // Every slot empty.
    WeeklySchedule();
    // Takes the codes as stored; each string is cut or padded with blanks to 28 bytes and kept
    // byte for byte, so a schedule nobody edits is written back unchanged.
    WeeklySchedule(const QByteArray& startCodes, const QByteArray& stopCodes);

    const QByteArray& startCodes() const { return m_start; }
    const QByteArray& stopCodes() const { return m_stop; }

    // day 1..7, slot 1..4; out-of-range positions read as an empty slot.
    int start(int day, int slot) const;
    int stop(int day, int slot) const;
    bool isEmpty(int day, int slot) const;

    // Values are bounded to 0..96; positions out of range are ignored.
    void setSlot(int day, int slot, int start, int stop);
    void clearSlot(int day, int slot);

    // The start of the day's slot 1, where its first period always is; 0 when blank.
    int firstStart(int day) const;
    // The largest stop of the day's periods; 0 when the day has none.
    int latestStop(int day) const;

    static int valueOf(char code);
    static char codeOf(int value);

    bool operator==(const WeeklySchedule&) const = default;

private:
    static int indexOf(int day, int slot);
    QByteArray m_start;
    QByteArray m_stop;
};
