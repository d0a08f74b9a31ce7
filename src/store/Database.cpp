#include "store/Database.h"

#include "store/DatabaseError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
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

Database::OpenResult Database::open(const QString& path, int busyTimeoutMs)
{
    close();
    OpenResult result;
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) {
        result.status = OpenStatus::ReadOnly;
        result.errorNumber = QStringLiteral("8");
        result.errorText = QStringLiteral("The file %1 cannot be opened for writing.").arg(path);
        return result;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        if (!db.open()) {
            result.status = OpenStatus::Damaged;
            result.errorNumber = db.lastError().nativeErrorCode();
            result.errorText = db.lastError().text();
        }
    }
    m_path = path;
    if (result.ok()) {
        try {
            execute(QStringLiteral("PRAGMA journal_mode=WAL"));
            execute(QStringLiteral("PRAGMA synchronous=FULL"));
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
    if (it == m_nativeStatements.end()) {
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
    execute(QStringLiteral("BEGIN IMMEDIATE"));
}

void Database::commit()
{
    execute(QStringLiteral("COMMIT"));
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
    if (m_damageHandler && error.isDamage())
        m_damageHandler(error);
    throw error;
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
