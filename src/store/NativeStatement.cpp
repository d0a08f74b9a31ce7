#include "store/NativeStatement.h"

#include "store/DatabaseError.h"

#include <sqlite3.h>

NativeStatement::NativeStatement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    const int code = sqlite3_prepare16_v3(m_db, sql.utf16(), static_cast<int>(sql.size() * 2),
                                          SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

NativeStatement::~NativeStatement()
{
    sqlite3_finalize(m_statement);
}

NativeStatement& NativeStatement::start()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    return *this;
}

NativeStatement& NativeStatement::bind(int position, qint64 value)
{
    sqlite3_bind_int64(m_statement, position, value);
    return *this;
}

NativeStatement& NativeStatement::bind(int position, const QString& value)
{
    sqlite3_bind_text16(m_statement, position, value.utf16(), static_cast<int>(value.size() * 2),
                        SQLITE_TRANSIENT);
    return *this;
}

NativeStatement& NativeStatement::bindNull(int position)
{
    sqlite3_bind_null(m_statement, position);
    return *this;
}

bool NativeStatement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(code);
}

void NativeStatement::finish()
{
    sqlite3_reset(m_statement);
}

qint64 NativeStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString NativeStatement::text(int column) const
{
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    return data ? QString::fromUtf16(data, sqlite3_column_bytes16(m_statement, column) / 2) : QString();
}

QByteArrayView NativeStatement::utf8(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
}

bool NativeStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 NativeStatement::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void NativeStatement::fail(int code) const
{
    throw DatabaseError(QString::number(code), QString::fromUtf8(sqlite3_errmsg(m_db)));
}
