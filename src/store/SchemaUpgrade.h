#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The clock tables' layouts as numbered schema files, one series per backend (schema/file/NN-*.sql,
// schema/server/NN-*.sql, and schema/queue/NN-*.sql for a station's queue; carried in the resources), and the
// one routine that takes a database from the layout it records to the newest, recording each step in table
// "Schema version". Plain QtSql, so that the build's template tool lays out the new database with the very
// same routine.
namespace SchemaUpgrade {
// The clock database as a file or on a server, and a station's own queue file.
enum class Backend { File, Server, Queue };

// The newest layout: the number of the backend's last schema file.
int newestLayout(Backend backend);
// The statements of one schema file, without comments.
QStringList statements(Backend backend, int layout);

// The layout a database is at: 0 without clock tables. A database from before layouts were recorded
// is at the layout its tables show (recorded is false until the next upgrade records it).
struct Layout {
    int number = 0;
    bool recorded = false;
};
// False with *error when the catalogue cannot be read.
bool layoutOf(QSqlDatabase& db, Backend backend, Layout* layout, QString* error);

enum class Outcome { UpToDate, Upgraded, TooNew, Failed };
struct Result {
    Outcome outcome = Outcome::UpToDate;
    int from = 0;
    int to = 0;
    QString message; // why, for TooNew and Failed
};
// Applies the schema files above the database's layout in order, up to `target` (the newest unless
// a test asks for an older layout), and records the layout reached. Runs inside the caller's
// transaction, which the caller rolls back unless the outcome is Upgraded or UpToDate. A database
// of a layout newer than this program knows is left exactly as it is.
Result upgrade(QSqlDatabase& db, Backend backend, int target = -1);

// Why a database of a newer layout is left alone.
QString newerLayoutText(int layout, Backend backend);

inline const QString versionTable = QStringLiteral("Schema version");
} // namespace SchemaUpgrade
