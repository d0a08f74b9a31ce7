#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlQuery>
#include <QString>
#include <QtGlobal>
#include <optional>

class Database;
struct sqlite3;
struct sqlite3_stmt;

// A statement of the punch path. On the embedded file it runs on SQLite's own interface over the
// program's QtSql connection, because QtSql's per-call bookkeeping costs more than the statements
// themselves; on a server, where the round trip dominates, it is an ordinary QtSql query.
class NativeStatement {
public:
    // Failures go through the owner, which hears of damage; without one they are only thrown.
    NativeStatement(sqlite3* db, const QString& sql, const Database* owner = nullptr);
    NativeStatement(const QSqlDatabase& connection, const QString& sql, const Database* owner);
    ~NativeStatement();
    NativeStatement(const NativeStatement&) = delete;
    NativeStatement& operator=(const NativeStatement&) = delete;

    // Clears the previous run: every use starts here.
    NativeStatement& start();
    NativeStatement& bind(int position, qint64 value);
    NativeStatement& bind(int position, const QString& value);
    NativeStatement& bindNull(int position);
    // Runs to the next row; false when there is none. Throws DatabaseError on failure.
    bool step();
    // Releases the statement's read or write hold on the database.
    void finish();

    qint64 integer(int column) const;
    QString text(int column) const;
    // The column's text as SQLite holds it, valid until the next step: for readers that compare
    // or parse bytes before they pay for a QString.
    QByteArrayView utf8(int column) const;
    bool isNull(int column) const;
    qint64 lastInsertRowId() const;

private:
    [[noreturn]] void fail(int code) const;
    [[noreturn]] void failQuery() const;
    std::optional<QSqlQuery> m_query; // set on a server
    bool m_executed = false;
    mutable QByteArray m_bytes; // what utf8() last handed out on a server
    sqlite3* m_db = nullptr;
    const Database* m_owner = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

// Finishes a statement when the scope that used it ends, also when it ends by an exception.
class StatementUse {
public:
    explicit StatementUse(NativeStatement& statement)
        : m_statement(statement.start())
    {}
    ~StatementUse() { m_statement.finish(); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    NativeStatement* operator->() { return &m_statement; }

private:
    NativeStatement& m_statement;
};
