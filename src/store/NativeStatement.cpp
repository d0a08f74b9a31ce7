#include "store/NativeStatement.h"

#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QSqlError>
#include <QVariant>
#include <sqlite3.h>

NativeStatement::NativeStatement(sqlite3* db, const QString& sql, const Database* owner)
    : m_db(db)
    , m_owner(owner)
{
    const int code = sqlite3_prepare16_v3(m_db, sql.utf16(), static_cast<int>(sql.size() * 2),
                                          SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

NativeStatement::NativeStatement(const QSqlDatabase& connection, const QString& sql, const Database* owner)
    : m_query(std::in_place, connection)
    , m_owner(owner)
{
    m_query->setForwardOnly(true);
    if (!m_query->prepare(sql))
        failQuery();
}

NativeStatement::~NativeStatement()
{
    if (m_statement)
        sqlite3_finalize(m_statement);
}

NativeStatement& NativeStatement::start()
{
    if (m_query) {
        m_query->finish();
        m_executed = false;
        return *this;
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return *this;
}

NativeStatement& NativeStatement::bind(int position, qint64 value)
{
    if (m_query) {
        m_query->bindValue(position - 1, value);
        return *this;
    }
    sqlite3_bind_int64(m_statement, position, value);
    return *this;
}

NativeStatement& NativeStatement::bind(int position, const QString& value)
{
    if (m_query) {
        m_query->bindValue(position - 1, value);
        return *this;
    }
    sqlite3_bind_text16(m_statement, position, value.utf16(), static_cast<int>(value.size() * 2),
                        SQLITE_TRANSIENT);
    return *this;
}

NativeStatement& NativeStatement::bindNull(int position)
{
    if (m_query) {
        m_query->bindValue(position - 1, QVariant());
        return *this;
    }
    sqlite3_bind_null(m_statement, position);
    return *this;
}

bool NativeStatement::step()
{
    if (m_query) {
        if (!m_executed) {
            m_executed = true;
            if (!m_query->exec())
                failQuery();
        }
        if (!m_query->isSelect())
            return false;
        if (m_query->next())
            return true;
        if (m_query->lastError().isValid())
            failQuery();
        return false;
    }
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(code);
}

void NativeStatement::finish()
{
    if (m_query) {
        m_query->finish();
        return;
    }
    sqlite3_reset(m_statement);
}

qint64 NativeStatement::integer(int column) const
{
    if (m_query)
        return m_query->value(column).toLongLong();
    return sqlite3_column_int64(m_statement, column);
}

QString NativeStatement::text(int column) const
{
    if (m_query)
        return m_query->value(column).toString();
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    return data ? QString::fromUtf16(data, sqlite3_column_bytes16(m_statement, column) / 2) : QString();
}

QByteArrayView NativeStatement::utf8(int column) const
{
    if (m_query) {
        const QVariant value = m_query->value(column);
        if (value.isNull())
            return {};
        m_bytes = value.toString().toUtf8();
        return m_bytes;
    }
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
}

bool NativeStatement::isNull(int column) const
{
    if (m_query)
        return m_query->value(column).isNull();
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 NativeStatement::lastInsertRowId() const
{
    if (m_query)
        return m_query->lastInsertId().toLongLong();
    return sqlite3_last_insert_rowid(m_db);
}

void NativeStatement::fail(int code) const
{
    const DatabaseError error(QString::number(code), QString::fromUtf8(sqlite3_errmsg(m_db)));
    if (m_owner)
        m_owner->fail(error);
    throw error;
}

void NativeStatement::failQuery() const
{
    const DatabaseError error(m_query->lastError());
    if (m_owner)
        m_owner->fail(error);
    throw error;
}
