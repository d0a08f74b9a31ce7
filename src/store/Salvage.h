#pragma once

#include <QtGlobal>

class SqliteConnection;

// Rescue of the rows of a damaged database: every row that any read of the damaged file can still
// give (the scan in page order, reads in row id order, look-ups by row id, the indexes) is copied, and
// a damaged page of a table costs only the rows stored in it.
namespace Salvage {
struct Outcome {
    int tables = 0;
    qint64 rows = 0;
};
// Copies every readable row of every table of the source into the target, keeping row ids, each row
// id once (the first read that gives it wins), and the AUTOINCREMENT counters where they were or past
// the highest row. Tables the target lacks are created from the source's own definition, and their
// indexes built anew; columns are matched by name without regard to case. Rows already in a target
// table are dropped once the first row of that table is rescued. Never throws; what cannot be read
// is skipped.
Outcome copyReadableRows(SqliteConnection& source, SqliteConnection& target);
} // namespace Salvage
