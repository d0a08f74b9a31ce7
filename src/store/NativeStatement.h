#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

// A statement run on SQLite's own interface over the program's QtSql connection. The punch path
// uses it because QtSql's per-call bookkeeping costs more than the statements themselves.
class NativeStatement {
public:
    NativeStatement(sqlite3* db, const QString& sql);
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
    sqlite3* m_db = nullptr;
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
