#pragma once

#include <QtGlobal>

struct Services;

// Removal of old clock records: every record of the days before the chosen one goes, in one
// transaction with its history entry; the history itself stays. Database errors are thrown with
// nothing removed. Returns how many records went.
namespace OldRecords {
qint64 removeBefore(const Services& services, qint32 dayNumber);
} // namespace OldRecords
