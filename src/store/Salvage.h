#pragma once

#include <QtGlobal>

class SqliteConnection;

// Rescue of the rows of a damaged database: everything that can still be read is copied, and a
// damaged stretch of a table costs only the rows stored in it.
namespace Salvage {
struct Outcome {
    int tables = 0;
    qint64 rows = 0;
};
// Copies every readable row of every table of the source into the target, keeping row ids. Tables
// the target lacks are created from the source's own definition; columns are matched by name
// without regard to case. Rows already in a target table are dropped once the first row of that
// table is rescued. Never throws; what cannot be read is skipped.
Outcome copyReadableRows(SqliteConnection& source, SqliteConnection& target);
} // namespace Salvage
