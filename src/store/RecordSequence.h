#pragma once

#include "store/ClockRecord.h"

#include <functional>

class Database;

// The rows of "In Out" in the order they were appended, for the sequence audit.
namespace RecordSequence {
bool tableEmpty(Database& database);

// Visits, in ascending record number, the rows from the first one whose day number is at least
// firstDay up to, not including, the first row after it whose day number is above lastDay. Rows of
// other days appended in between are visited like any other.
void walk(Database& database, qint32 firstDay, qint32 lastDay,
          const std::function<void(const ClockRecord&)>& visit);
} // namespace RecordSequence
