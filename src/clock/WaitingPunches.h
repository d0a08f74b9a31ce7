#pragma once

#include "store/ClockRecords.h"

#include <QString>
#include <chrono>
#include <memory>
#include <optional>

class Database;
class PunchQueue;

// A clock station's punches that its file could not take yet because another program held the write
// lock: kept in the station's queue file, in the order taken, and stored once the lock frees, each
// punch once.
class WaitingPunches {
public:
    WaitingPunches(Database& file, const QString& programFolder);
    ~WaitingPunches();

    // Stores the record, waiting at most `wait` for the lock: its record number; 0 when punches wait
    // already and it was queued behind them; nullopt when the file stayed held and nothing changed.
    // Other errors are thrown.
    std::optional<qint64> store(const ClockRecord& record, std::chrono::milliseconds wait);
    // Into the queue, to be stored later; throws DatabaseError when the queue cannot be written.
    void keep(const ClockRecord& record);
    bool isEmpty();
    qsizetype size();
    // The employee's latest punch among those waiting.
    std::optional<ClockRecords::LatestPunch> latestFor(const QString& employeeId);
    // Stores what waits, in order, each lock waited for at most `wait`; false while the file is held
    // (what is left keeps waiting). Other errors are thrown.
    bool send(std::chrono::milliseconds wait);

private:
    PunchQueue* queue(bool create);
    Database& m_file;
    QString m_path;
    std::unique_ptr<PunchQueue> m_queue;
};
