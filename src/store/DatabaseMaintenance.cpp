#include "store/DatabaseMaintenance.h"

#include "platform/ProgramPaths.h"
#include "store/ApplicationTable.h"
#include "store/ClockFiles.h"
#include "store/DatabaseError.h"
#include "store/DurableFiles.h"
#include "store/Salvage.h"
#include "store/SchemaUpgrade.h"
#include "store/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <algorithm>
#include <optional>

namespace {
// Long enough to ride out another program's single commit, short enough that a user facing a held
// database is told at once.
constexpr int checkTimeoutMs = 500;
constexpr int workingTimeoutMs = 3000;

constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
constexpr int sqliteReadOnly = 8;
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;

const QString corruptNumber = QStringLiteral("11");

const QStringList clockTables = {QStringLiteral("In Out"), QStringLiteral("Employee"),
                                 QStringLiteral("Application")};

Database::OpenResult failure(Database::OpenStatus status, QString number, QString text)
{
    Database::OpenResult result;
    result.status = status;
    result.errorNumber = std::move(number);
    result.errorText = std::move(text);
    return result;
}

Database::OpenStatus statusFor(int primaryCode)
{
    switch (primaryCode) {
    case sqliteBusy:
    case sqliteLocked:
        return Database::OpenStatus::InUse;
    case sqliteCorrupt:
    case sqliteNotADatabase:
        return Database::OpenStatus::Damaged;
    default:
        // Read-only, cannot open, disk full, out of memory, I/O errors: the file itself may be
        // fine, so it is reported and left alone rather than offered for repair.
        return Database::OpenStatus::ReadOnly;
    }
}

// Another program's write transaction or exclusive lock makes our own write lock fail at once. A
// row written and rolled back also finds a header that forbids writing (a damaged format byte):
// without this, the first punch would be the one to fail.
void checkWritable(Database& database)
{
    database.beginTransaction();
    try {
        database.execute(QStringLiteral(R"(UPDATE "Application" SET "Version" = "Version")"));
    } catch (const DatabaseError&) {
        database.rollback();
        throw;
    }
    database.rollback();
}

// The checks of every open cost the same whatever the file holds: the schema, the clock tables, and
// the pages from each table's and index's root down to its first and its last entry (where the
// newest punches and the punch path's look-ups are). A damaged page elsewhere is met by the first
// read that needs it (Database hears of it) or by the full check that runs off the start-up path
// (IntegrityCheck).
std::optional<QString> damage(Database& database)
{
    struct Tree {
        QString name;
        QString table;
        bool isIndex;
    };
    QList<Tree> trees;
    QSqlQuery& schema = database.run(QStringLiteral(
        "SELECT type, name, tbl_name FROM sqlite_master WHERE type IN ('table', 'index') AND rootpage > 0"));
    while (schema.next())
        trees.append({schema.value(1).toString(), schema.value(2).toString(),
                      schema.value(0).toString() == QLatin1String("index")});
    database.finish(schema);
    for (const QString& table : clockTables) {
        const bool present = std::any_of(trees.begin(), trees.end(), [&](const Tree& tree) {
            return !tree.isIndex && tree.name.compare(table, Qt::CaseInsensitive) == 0;
        });
        if (!present)
            return QStringLiteral("The table %1 is missing.").arg(table);
    }
    for (const Tree& tree : trees) {
        QStringList keys{QStringLiteral("rowid")};
        if (tree.isIndex) {
            keys.clear();
            QSqlQuery& columns = database.run(
                QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"), {tree.name});
            bool plain = true;
            while (columns.next()) {
                plain = plain && !columns.value(0).isNull(); // an expression has no column name
                keys.append(Database::quoted(columns.value(0).toString()));
            }
            database.finish(columns);
            if (!plain || keys.isEmpty())
                continue;
        }
        const QString from = Database::quoted(tree.table) +
                             (tree.isIndex ? QStringLiteral(" INDEXED BY ") + Database::quoted(tree.name)
                                           : QStringLiteral(" NOT INDEXED"));
        // The whole first and last row of a table, so their records are decoded too; an index
        // gives its keys without touching the table.
        const QString selected = tree.isIndex ? keys.join(QStringLiteral(", ")) : QStringLiteral("*");
        for (const QString& direction : {QStringLiteral(" ASC"), QStringLiteral(" DESC")}) {
            const QString sql =
                QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 LIMIT 1")
                    .arg(selected, from, keys.join(direction + QStringLiteral(", ")) + direction);
            try {
                database.execute(sql);
            } catch (const DatabaseError& error) {
                if (error.isDamage())
                    throw;
                // A table without row ids or an index the planner cannot walk: nothing to probe.
            }
        }
    }
    return std::nullopt;
}

QString cpdPath(const ProgramPaths& paths)
{
    return paths.inDataFolder(QStringLiteral("Clock.CPD"));
}

// A journal or WAL beside Clock.mdb belongs to the file it was written for; left beside a new file it
// would be played into it. Only called with every connection to the old file closed.
bool removeLeftovers(const QString& path)
{
    bool removed = true;
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        removed = DurableFiles::removeIfPresent(path + QLatin1String(suffix)) && removed;
    return removed;
}

// A killed earlier run may have left a half-written copy with its own journal; that journal would be
// rolled back into the next copy of the same name.
void removeWithLeftovers(const QString& path)
{
    QFile::remove(path);
    removeLeftovers(path);
}

// Puts a finished new file in place of Clock.mdb: synced, leftovers of the old file gone, renamed.
bool putInPlace(const QString& newFile, const QString& path, QString* error)
{
    DurableFiles::syncFile(newFile);
    if (!removeLeftovers(path) || !DurableFiles::replace(newFile, path)) {
        if (error)
            *error = QStringLiteral("Cannot replace %1").arg(path);
        return false;
    }
    return true;
}

// A repair replaces the file with what could be read of it; the file as it was stays beside it
// (with its WAL), so rows a later, better tool could still rescue are never thrown away.
bool keepDamagedOriginal(const ProgramPaths& paths, QString* error)
{
    const QString path = paths.clockDatabase();
    QString kept;
    for (int n = 1;; ++n) {
        kept = paths.inDataFolder(QStringLiteral("Clock_damaged_%1.MDB").arg(n));
        if (!QFileInfo::exists(kept))
            break;
    }
    const QString wal = path + QStringLiteral("-wal");
    if (!DurableFiles::copy(path, kept) ||
        (QFileInfo::exists(wal) && !DurableFiles::copy(wal, kept + QStringLiteral("-wal")))) {
        DurableFiles::removeIfPresent(kept);
        if (error)
            *error = QStringLiteral("Cannot keep a copy of %1 before repairing it").arg(path);
        return false;
    }
    return true;
}

// Rewrites a closed file with the current page size and stamp.
bool rewriteInCurrentFormat(const QString& file)
{
    SqliteConnection connection(file, workingTimeoutMs);
    return connection.isOpen() && connection.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) &&
           connection.exec(QStringLiteral("PRAGMA page_size=%1").arg(DatabaseMaintenance::currentPageSize)) &&
           connection.exec(QStringLiteral("VACUUM")) &&
           connection.exec(
               QStringLiteral("PRAGMA user_version=%1").arg(DatabaseMaintenance::currentFormatStamp));
}

void removeStalePartials(const ProgramPaths& paths)
{
    const QStringList stale =
        QDir(paths.dataFolder()).entryList({QStringLiteral("Clock_*.MDB.partial")}, QDir::Files);
    for (const QString& name : stale)
        QFile::remove(paths.inDataFolder(name));
}

// Opens again after whole-file work; a program still holding the file is not waited for long.
void reopen(Database& database, const QString& path)
{
    if (!database.open(path, checkTimeoutMs).ok())
        return;
    try {
        database.setLockWait(std::chrono::milliseconds(workingTimeoutMs));
    } catch (const DatabaseError&) {
    }
}

// Compact and migrate: hold the file alone, fold its WAL in, write the copies, swap the file.
DatabaseMaintenance::Result rewrite(Database& database, const ProgramPaths& paths, const QString& keptCopy)
{
    using DatabaseMaintenance::Result;
    const QString path = paths.clockDatabase();
    const QString cpd = cpdPath(paths);
    if (!QFileInfo::exists(path))
        return Result::Failed; // opening it would only create an empty database
    database.close();
    Result result = Result::Done;
    {
        SqliteConnection source(path, checkTimeoutMs);
        // An exclusive lock kept until the connection closes: nobody writes a row that the copy
        // would miss.
        if (!source.isOpen() || !source.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")))
            result = Result::Failed;
        else if (!source.exec(QStringLiteral("BEGIN EXCLUSIVE")))
            result = statusFor(sqlitePrimaryCode(source.lastError())) == Database::OpenStatus::InUse
                         ? Result::InUse
                         : Result::Failed;
        else if (!source.exec(QStringLiteral("COMMIT")))
            result = Result::Failed;
        // A reader still in the file keeps part of the WAL from being folded in: the kept copy
        // would lack those rows.
        else if (const QVariant busy = source.scalar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
                 !busy.isValid() || busy.toInt() != 0)
            result = busy.isValid() ? Result::InUse : Result::Failed;
        if (result == Result::Done) {
            removeWithLeftovers(cpd);
            if (!keptCopy.isEmpty()) {
                removeStalePartials(paths);
                // With the WAL folded in, the file itself is the whole database as it was.
                if (!DurableFiles::copy(path, keptCopy))
                    result = Result::Failed;
            }
        }
        if (result == Result::Done && !source.exec(QStringLiteral("VACUUM INTO ?"), {cpd}))
            result = Result::Failed;
    }
    if (result == Result::Done && !keptCopy.isEmpty() && !rewriteInCurrentFormat(cpd))
        result = Result::Failed;
    if (result == Result::Done && !putInPlace(cpd, path, nullptr))
        result = Result::Failed;
    if (result != Result::Done)
        removeWithLeftovers(cpd);
    reopen(database, path);
    return result;
}
} // namespace

namespace {
// The checks of an opened clock database, at the same cost at any size.
Database::OpenResult checkOpened(Database& database, Database::OpenResult result)
{
    if (!result.ok()) {
        if (result.status == Database::OpenStatus::Damaged)
            result.status = statusFor(result.errorNumber.toInt() & 0xff);
        return result;
    }
    try {
        if (const std::optional<QString> problem = damage(database)) {
            result = failure(Database::OpenStatus::Damaged, corruptNumber, *problem);
        } else if (!database.isReadOnly()) {
            checkWritable(database);
            database.setLockWait(std::chrono::milliseconds(workingTimeoutMs));
        }
    } catch (const DatabaseError& e) {
        // The file may be written (Database::open saw to that): a plain read-only refusal, not one of
        // its variants for a folder or a lock, comes from inside the file.
        const Database::OpenStatus status = e.number().toInt() == sqliteReadOnly
                                                ? Database::OpenStatus::Damaged
                                                : statusFor(e.number().toInt() & 0xff);
        result = failure(status, e.number(), e.text());
    }
    if (!result.ok())
        database.close();
    return result;
}
} // namespace

Database::OpenResult DatabaseMaintenance::openClockDatabase(Database& database, const ProgramPaths& paths)
{
    database.close();
    QString error;
    if (!ClockFiles::ensureClockDatabase(paths, &error))
        return failure(Database::OpenStatus::NotFound, QStringLiteral("76"), error);
    return checkOpened(database, database.open(paths.clockDatabase(), checkTimeoutMs));
}

Database::OpenResult DatabaseMaintenance::openExistingClockDatabase(Database& database,
                                                                    const ProgramPaths& paths, bool readOnly)
{
    database.close();
    if (const QString problem = ClockFiles::existingDatabaseProblem(paths); !problem.isEmpty())
        return failure(Database::OpenStatus::NotFound, QStringLiteral("76"), problem);
    return checkOpened(database,
                       database.open(paths.clockDatabase(), checkTimeoutMs,
                                     readOnly ? Database::Access::ReadOnly : Database::Access::Existing));
}

bool DatabaseMaintenance::repair(Database& database, const ProgramPaths& paths, QString* error)
{
    database.close();
    const QString path = paths.clockDatabase();
    const QString cpd = cpdPath(paths);
    ClockFiles::ensureTemplate(paths);
    removeWithLeftovers(cpd);
    if (!QFile::copy(paths.clockTemplate(), cpd)) {
        if (error)
            *error = QStringLiteral("Cannot write %1 from the template %2").arg(cpd, paths.clockTemplate());
        return false;
    }
    QFile::setPermissions(cpd, QFile::permissions(cpd) | QFileDevice::WriteOwner);
    bool written = false;
    {
        SqliteConnection target(cpd, workingTimeoutMs);
        SqliteConnection source(path, checkTimeoutMs);
        written = target.isOpen() && target.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
                  target.exec(QStringLiteral("BEGIN"));
        if (written) {
            Salvage::copyReadableRows(source, target);
            written = target.exec(QStringLiteral("COMMIT"));
        }
    }
    if (!written) {
        removeWithLeftovers(cpd);
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(cpd);
        return false;
    }
    if (!keepDamagedOriginal(paths, error) || !putInPlace(cpd, path, error)) {
        removeWithLeftovers(cpd);
        return false;
    }
    const Database::OpenResult reopened = openClockDatabase(database, paths);
    if (!reopened.ok() && error)
        *error = reopened.errorText;
    return reopened.ok();
}

int DatabaseMaintenance::layoutVersion(Database& database)
{
    try {
        return ApplicationTable(database).read().value(QStringLiteral("Version")).toInt();
    } catch (const DatabaseError&) {
        return 0;
    }
}

std::optional<QString> DatabaseMaintenance::upgrade(Database& database)
{
    using SchemaUpgrade::Backend;
    const QString path = database.path();
    const int newest = SchemaUpgrade::newestLayout(Backend::File);
    SchemaUpgrade::Layout layout;
    QString error;
    {
        QSqlDatabase db = database.connection();
        if (!SchemaUpgrade::layoutOf(db, Backend::File, &layout, &error))
            return QStringLiteral("The layout of the clock database %1 cannot be read: %2").arg(path, error);
    }
    if (layout.number > newest)
        return QStringLiteral("The clock database %1 cannot be used. %2")
            .arg(path, SchemaUpgrade::newerLayoutText(layout.number, Backend::File));
    if (database.isReadOnly()) {
        if (layout.number < newest)
            return QStringLiteral(
                       "The clock database %1 has an older layout: start the program there once to "
                       "bring it up to date")
                .arg(path);
        return std::nullopt;
    }
    if (layout.recorded && layout.number == newest)
        return std::nullopt;
    // Statements prepared against the old layout go with the old connection.
    database.open(path);
    SchemaUpgrade::Result result;
    try {
        database.beginTransaction();
        QSqlDatabase db = database.connection();
        result = SchemaUpgrade::upgrade(db, Backend::File);
        if (result.outcome == SchemaUpgrade::Outcome::Upgraded)
            database.commit();
        else
            database.rollback();
    } catch (const DatabaseError& failure) {
        result.outcome = SchemaUpgrade::Outcome::Failed;
        result.message = failure.text();
    }
    database.open(path);
    if (result.outcome == SchemaUpgrade::Outcome::Failed || result.outcome == SchemaUpgrade::Outcome::TooNew)
        return QStringLiteral("The clock database %1 cannot be used and is left as it was. %2")
            .arg(path, result.message);
    return std::nullopt;
}

bool DatabaseMaintenance::needsUpgrade(Database& database)
{
    SchemaUpgrade::Layout layout;
    QString error;
    QSqlDatabase db = database.connection();
    return !SchemaUpgrade::layoutOf(db, SchemaUpgrade::Backend::File, &layout, &error) ||
           layout.number < SchemaUpgrade::newestLayout(SchemaUpgrade::Backend::File);
}

DatabaseMaintenance::Result DatabaseMaintenance::compact(Database& database, const ProgramPaths& paths)
{
    return rewrite(database, paths, QString());
}

DatabaseMaintenance::Result DatabaseMaintenance::migrate(Database& database, const ProgramPaths& paths,
                                                         const QDateTime& now)
{
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    return rewrite(database, paths, paths.inDataFolder(QStringLiteral("Clock_%1.MDB").arg(stamp)));
}

QString DatabaseMaintenance::fileFormatVersion(Database& database)
{
    int stamp = 0;
    try {
        QSqlQuery& query = database.run(QStringLiteral("PRAGMA user_version"));
        if (query.next())
            stamp = query.value(0).toInt();
        query.finish();
    } catch (const DatabaseError&) {
    }
    // Files from before the stamp carry 0: they are the older format.
    if (stamp < 10)
        return QStringLiteral("3.0");
    return QStringLiteral("%1.%2").arg(stamp / 10).arg(stamp % 10);
}
