#pragma once

#include "store/NativeStatement.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <chrono>
#include <functional>
#include <memory>

class DatabaseError;
class QObject;
class DatabaseLocation;

// One open clock database (the embedded SQLite file or a PostgreSQL server) with its prepared
// statements; every store table works through it.
class Database {
public:
    // NotFound: the data folder named by the path file is not there.
    enum class OpenStatus { Opened, InUse, ReadOnly, Damaged, NotFound };
    struct OpenResult {
        OpenStatus status = OpenStatus::Opened;
        QString errorNumber;
        QString errorText;
        bool ok() const { return status == OpenStatus::Opened; }
    };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Create: the file is made when missing (the windows' start). Existing: a missing file is an
    // error, never a new database. ReadOnly: nothing is ever written, so a backup or a read-only
    // share can be read; a file nobody has open (no -wal beside it), or one in a folder that cannot
    // take the WAL's index, is read as it stands (immutable) and nothing is left beside it.
    enum class Access { Create, Existing, ReadOnly };
    // Opens for shared reading and writing. Every open sets WAL with synchronous FULL: a committed
    // punch survives a killed program or a power cut. The busy timeout is how long a statement
    // waits for another program's lock before it fails.
    OpenResult open(const QString& path, int busyTimeoutMs = 3000, Access access = Access::Create);
    bool isReadOnly() const { return m_readOnly; }
    // Connects to the server and, on an empty database, creates the clock tables. A server that
    // cannot be reached is NotFound.
    OpenResult openServer(const DatabaseLocation& location);
    // Connects again after the server went away, keeping the location; false while it is still gone.
    // Retries may wait less than a first connection, as each one holds up the station.
    bool reconnect(int connectTimeoutSeconds = 5);
    // Whether the connection still answers; a failed statement may have been the server going away.
    bool isReachable();
    const SqlDialect& dialect() const { return m_dialect; }
    bool isServer() const { return m_dialect.isServer(); }
    // The server this handle connects to; null for the embedded file.
    const DatabaseLocation* serverLocation() const { return m_server.get(); }
    void close();
    bool isOpen() const;
    const QString& path() const { return m_path; }
    QSqlDatabase connection() const;

    // A statement prepared once per connection; throws DatabaseError when it cannot be prepared.
    QSqlQuery& prepared(const QString& sql);
    // Binds the values in order, runs the statement and throws DatabaseError on failure.
    QSqlQuery& run(const QString& sql, const QVariantList& values = {});
    void execute(const QString& sql, const QVariantList& values = {});
    // Ends a query whose rows were read: throws DatabaseError when they stopped at an error (a
    // damaged page) rather than at their end, so a damaged file never passes for fewer rows.
    void finish(QSqlQuery& query);
    // The same, prepared on SQLite's own interface, for statements on the punch path.
    NativeStatement& native(const QString& sql);

    void beginTransaction();
    void commit();
    void rollback();
    // Whether the table exists (its name matched without regard to case), and its columns in order.
    bool hasTable(const QString& table);
    QStringList columnNames(const QString& table);

    // How long a statement waits for another writer's lock before it fails as busy; the punch path
    // waits in short steps instead, so that the clock screen goes on meanwhile.
    std::chrono::milliseconds lockWait() const { return m_lockWait; }
    void setLockWait(std::chrono::milliseconds wait);

    // Inside a transaction: waits for and holds a lock on the key (an employee ID, a table) until the
    // transaction ends, so writers on other stations that use the same key take turns.
    void lock(const QString& key);

    static QString quoted(const QString& identifier);
    // An SQLite URI for a file with its parameters ("mode=ro"); needs QSQLITE_OPEN_URI.
    static QString fileUri(const QString& path, const QString& parameters);
    // A file in WAL mode that no program has open: the -wal is there for as long as one has. A
    // reader may take it as it stands (immutable), which leaves no -wal or -shm behind.
    static bool isIdleWalFile(const QString& path);

    // Told, before the error is thrown, whenever a statement meets a damaged file; the first read
    // of a damaged page is where the program learns of it.
    void setDamageHandler(std::function<void(const DatabaseError&)> handler);
    // Told before the handle closes (whole-file work, the end of the program): a reader of the same
    // file that would hold it up stops here.
    void setClosingHandler(std::function<void()> handler);
    // Throws the error, after telling the damage handler when it is damage.
    [[noreturn]] void fail(const DatabaseError& error) const;

private:
    OpenResult connectServer(int connectTimeoutSeconds = 5);
    OpenResult openFile(const QString& path, int busyTimeoutMs, Access access, bool immutable);
    void executeUnprepared(const QString& sql);

    QString m_connectionName;
    QString m_path;
    bool m_readOnly = false;
    SqlDialect m_dialect;
    std::unique_ptr<DatabaseLocation> m_server;
    QHash<QString, QSqlQuery> m_statements;
    QHash<QString, std::shared_ptr<NativeStatement>> m_nativeStatements;
    std::function<void(const DatabaseError&)> m_damageHandler;
    std::function<void()> m_closingHandler;
    std::chrono::milliseconds m_lockWait{0};
};

// For the length of a scope, statements wait only so long for another writer's lock.
class LockWait {
public:
    LockWait(Database& database, std::chrono::milliseconds wait);
    ~LockWait();
    LockWait(const LockWait&) = delete;
    LockWait& operator=(const LockWait&) = delete;

private:
    Database& m_database;
    std::chrono::milliseconds m_before;
};

// Connects once to the server and lays out an empty database, as a station would at start; empty
// when that worked, else the reason. Blocks up to the connect timeout: callers keep it off the UI thread.
QString probeServer(const DatabaseLocation& location);
// The same on a thread of its own: the answer (empty: it worked) reaches the receiver on the
// receiver's thread, or nobody once the receiver is gone.
void probeServerLater(const DatabaseLocation& location, QObject* receiver,
                      std::function<void(const QString& error)> answered);

// Rolls back unless committed, so a thrown error never leaves half a change behind.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_database;
    bool m_done = false;
};
