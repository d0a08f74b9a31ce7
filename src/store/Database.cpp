#include "store/Database.h"

#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/SchemaUpgrade.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QUrl>
#include <sqlite3.h>

namespace {
// SQLite result codes that mean another program holds the file.
bool isBusyCode(const QString& code)
{
    const int primary = code.toInt() & 0xff;
    return primary == 5 /*BUSY*/ || primary == 6 /*LOCKED*/;
}
} // namespace

Database::Database()
    : m_connectionName(QStringLiteral("tellarin-%1").arg(reinterpret_cast<quintptr>(this)))
{}

Database::~Database()
{
    close();
}

Database::OpenResult Database::open(const QString& path, int busyTimeoutMs, Access access)
{
    // Nobody writing: read as it stands, so that nothing is left beside a backup.
    const bool idle = isIdleWalFile(path);
    OpenResult result = openFile(path, busyTimeoutMs, access, access == Access::ReadOnly && idle);
    // A WAL in a folder that cannot take the shared-memory index: read as it stands too, as no
    // writer can work there either.
    const int primary = result.errorNumber.toInt() & 0xff;
    if (access == Access::ReadOnly && !idle && !result.ok() && (primary == 8 || primary == 14))
        result = openFile(path, busyTimeoutMs, access, true);
    return result;
}

Database::OpenResult Database::openFile(const QString& path, int busyTimeoutMs, Access access, bool immutable)
{
    close();
    m_server.reset();
    m_dialect = SqlDialect(SqlDialect::Engine::Sqlite);
    m_readOnly = access == Access::ReadOnly;
    OpenResult result;
    const QFileInfo info(path);
    if (access == Access::Existing && !info.exists()) {
        result.status = OpenStatus::NotFound;
        result.errorNumber = QStringLiteral("14");
        result.errorText = QStringLiteral("The file %1 is missing.").arg(path);
        return result;
    }
    if (!m_readOnly && info.exists() && !info.isWritable()) {
        result.status = OpenStatus::ReadOnly;
        result.errorNumber = QStringLiteral("8");
        result.errorText = QStringLiteral("The file %1 cannot be opened for writing.").arg(path);
        return result;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
        if (immutable) {
            db.setDatabaseName(fileUri(path, QStringLiteral("mode=ro&immutable=1")));
            options += QStringLiteral(";QSQLITE_OPEN_URI");
        } else {
            db.setDatabaseName(path);
        }
        // Opened read-only, SQLite never makes a missing file.
        if (m_readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open()) {
            result.status = OpenStatus::Damaged;
            result.errorNumber = db.lastError().nativeErrorCode();
            result.errorText = db.lastError().text();
        }
    }
    m_path = path;
    m_lockWait = std::chrono::milliseconds(busyTimeoutMs);
    if (result.ok()) {
        try {
            if (!m_readOnly) {
                execute(QStringLiteral("PRAGMA journal_mode=WAL"));
                execute(QStringLiteral("PRAGMA synchronous=FULL"));
            }
            // Finished at once: an open read would pin this connection to an old snapshot.
            run(QStringLiteral("SELECT count(*) FROM sqlite_master")).finish();
        } catch (const DatabaseError& error) {
            result.status = isBusyCode(error.number()) ? OpenStatus::InUse : OpenStatus::Damaged;
            result.errorNumber = error.number();
            result.errorText = error.text();
        }
    }
    if (!result.ok())
        close();
    return result;
}

bool Database::isIdleWalFile(const QString& path)
{
    // Byte 19 of the header, the read version, is 2 in WAL mode: SQLite looks at it alone.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && header[19] == 2 && !QFileInfo::exists(path + QStringLiteral("-wal"));
}

QString Database::fileUri(const QString& path, const QString& parameters)
{
    return QStringLiteral("file:%1?%2")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(path, "/")), parameters);
}

Database::OpenResult Database::openServer(const DatabaseLocation& location)
{
    close();
    m_server = std::make_unique<DatabaseLocation>(location);
    m_dialect = SqlDialect(SqlDialect::Engine::Postgres);
    m_readOnly = false;
    m_path = location.displayUrl();
    const OpenResult result = connectServer();
    if (!result.ok())
        close();
    return result;
}

Database::OpenResult Database::connectServer(int connectTimeoutSeconds)
{
    OpenResult result;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        result.status = OpenStatus::NotFound;
        result.errorNumber = QStringLiteral("0");
        result.errorText =
            QStringLiteral("The PostgreSQL driver of Qt (package libqt6sql6-psql) is not installed.");
        return result;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(m_server->host());
        db.setPort(m_server->port());
        db.setUserName(m_server->user());
        db.setDatabaseName(m_server->databaseName());
        if (!m_server->password().isEmpty())
            db.setPassword(m_server->password());
        QString options = m_server->connectOptions();
        // A station must learn quickly that the server is gone, so that it can queue punches instead.
        if (!options.contains(QLatin1String("connect_timeout=")))
            options += QStringLiteral(";connect_timeout=%1").arg(connectTimeoutSeconds);
        if (!options.contains(QLatin1String("application_name=")))
            options += QStringLiteral(";application_name=tellarin");
        db.setConnectOptions(options);
        if (!db.open()) {
            result.status = OpenStatus::NotFound;
            const QSqlError error = db.lastError();
            result.errorNumber =
                error.nativeErrorCode().isEmpty() ? QStringLiteral("08001") : error.nativeErrorCode();
            result.errorText =
                error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText().simplified();
            return result;
        }
    }
    {
        // A station that stops answering inside a transaction would hold its employees' locks for good:
        // the server ends such a transaction, and a punch waits only so long for a lock before it
        // reports the failure instead of freezing the clock screen.
        QSqlQuery session(connection());
        session.exec(QStringLiteral("SET idle_in_transaction_session_timeout = '60s'"));
        session.exec(QStringLiteral("SET lock_timeout = '15s'"));
        m_lockWait = std::chrono::seconds(15);
    }
    try {
        // Two stations meeting an empty or older database at once must not both lay out the tables.
        Transaction transaction(*this);
        lock(QStringLiteral("clock tables"));
        QSqlDatabase db = connection();
        const SchemaUpgrade::Result layout = SchemaUpgrade::upgrade(db, SchemaUpgrade::Backend::Server);
        if (layout.outcome == SchemaUpgrade::Outcome::TooNew ||
            layout.outcome == SchemaUpgrade::Outcome::Failed) {
            // Rolled back: a database this release cannot bring up to date is left as it was.
            result.status = OpenStatus::Damaged;
            result.errorNumber = QStringLiteral("0");
            result.errorText = layout.message;
            return result;
        }
        transaction.commit();
    } catch (const DatabaseError& error) {
        result.status = OpenStatus::Damaged;
        result.errorNumber = error.number();
        result.errorText = error.text();
    }
    return result;
}

bool Database::reconnect(int connectTimeoutSeconds)
{
    if (!m_server)
        return false;
    const std::unique_ptr<DatabaseLocation> server = std::move(m_server);
    const QString path = m_path;
    close();
    m_server = std::make_unique<DatabaseLocation>(*server);
    m_path = path;
    const bool ok = connectServer(connectTimeoutSeconds).ok();
    if (!ok && QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
    return ok;
}

bool Database::isReachable()
{
    if (!isOpen())
        return false;
    QSqlQuery query(connection());
    return query.exec(QStringLiteral("SELECT 1")) && query.next();
}

bool Database::hasTable(const QString& table)
{
    QSqlQuery& query = run(m_dialect.tableExistsQuery(), {table});
    const bool found = query.next();
    finish(query);
    return found;
}

QStringList Database::columnNames(const QString& table)
{
    QSqlQuery& query = run(m_dialect.columnNamesQuery(), {table});
    QStringList names;
    while (query.next())
        names.append(query.value(0).toString());
    finish(query);
    return names;
}

void Database::setLockWait(std::chrono::milliseconds wait)
{
    if (!isOpen() || wait == m_lockWait)
        return;
    if (isServer()) {
        QSqlQuery query(connection());
        if (!query.exec(QStringLiteral("SET lock_timeout = %1").arg(wait.count())))
            fail(DatabaseError(query.lastError()));
    } else {
        const QVariant handle = connection().driver()->handle();
        if (sqlite3* db = handle.isValid() ? *static_cast<sqlite3* const*>(handle.constData()) : nullptr)
            sqlite3_busy_timeout(db, static_cast<int>(wait.count()));
    }
    m_lockWait = wait;
}

void Database::lock(const QString& key)
{
    const QString sql = m_dialect.lockStatement();
    if (!sql.isEmpty())
        execute(sql, {SqlDialect::lockKey(key)});
}

void Database::close()
{
    if (m_closingHandler && QSqlDatabase::contains(m_connectionName))
        m_closingHandler();
    m_statements.clear();
    m_nativeStatements.clear(); // finalized before the connection closes, or SQLite refuses to close
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QSqlQuery& Database::prepared(const QString& sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery query(connection());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            fail(DatabaseError(query.lastError()));
        it = m_statements.insert(sql, query);
    }
    return it.value();
}

NativeStatement& Database::native(const QString& sql)
{
    auto it = m_nativeStatements.find(sql);
    if (it == m_nativeStatements.end() && isServer()) {
        it = m_nativeStatements.insert(sql, std::make_shared<NativeStatement>(connection(), sql, this));
    } else if (it == m_nativeStatements.end()) {
        const QVariant handle = connection().driver()->handle();
        sqlite3* db = handle.isValid() ? *static_cast<sqlite3* const*>(handle.constData()) : nullptr;
        if (!db)
            throw DatabaseError(QStringLiteral("21"), QStringLiteral("The database is not open."));
        it = m_nativeStatements.insert(sql, std::make_shared<NativeStatement>(db, sql, this));
    }
    return *it.value();
}

QSqlQuery& Database::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values.at(i));
    if (!query.exec())
        fail(DatabaseError(query.lastError()));
    return query;
}

void Database::finish(QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    query.finish();
    if (error.isValid())
        fail(DatabaseError(error));
}

void Database::execute(const QString& sql, const QVariantList& values)
{
    run(sql, values).finish();
}

void Database::beginTransaction()
{
    executeUnprepared(m_dialect.beginWrite());
}

void Database::commit()
{
    executeUnprepared(QStringLiteral("COMMIT"));
}

void Database::executeUnprepared(const QString& sql)
{
    // The server cannot prepare transaction control; the file's prepared copy saves a parse per punch.
    if (!isServer()) {
        execute(sql);
        return;
    }
    QSqlQuery query(connection());
    if (!query.exec(sql))
        fail(DatabaseError(query.lastError()));
}

void Database::rollback()
{
    QSqlQuery query(connection());
    query.exec(QStringLiteral("ROLLBACK"));
}

QString Database::quoted(const QString& identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void Database::setDamageHandler(std::function<void(const DatabaseError&)> handler)
{
    m_damageHandler = std::move(handler);
}

void Database::setClosingHandler(std::function<void()> handler)
{
    m_closingHandler = std::move(handler);
}

void Database::fail(const DatabaseError& error) const
{
    // A server reports its own faults; only the embedded file can be damaged under the program.
    if (m_damageHandler && !isServer() && error.isDamage())
        m_damageHandler(error);
    throw error;
}

QString probeServer(const DatabaseLocation& location)
{
    Database database;
    const Database::OpenResult result = database.openServer(location);
    return result.ok() ? QString() : result.errorText;
}

void probeServerLater(const DatabaseLocation& location, QObject* receiver,
                      std::function<void(const QString& error)> answered)
{
    auto answer = std::make_shared<QString>();
    QThread* worker = QThread::create([location, answer] { *answer = probeServer(location); });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    // Queued to the receiver's thread, and dropped with the receiver.
    QObject::connect(worker, &QThread::finished, receiver,
                     [answer, answered = std::move(answered)] { answered(*answer); });
    worker->start();
}

LockWait::LockWait(Database& database, std::chrono::milliseconds wait)
    : m_database(database)
    , m_before(database.lockWait())
{
    m_database.setLockWait(wait);
}

LockWait::~LockWait()
{
    try {
        m_database.setLockWait(m_before);
    } catch (const DatabaseError&) {
        // A server gone meanwhile: the next connection starts with its usual wait.
    }
}

Transaction::Transaction(Database& database)
    : m_database(database)
{
    m_database.beginTransaction();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_database.rollback();
}

void Transaction::commit()
{
    m_database.commit();
    m_done = true;
}
