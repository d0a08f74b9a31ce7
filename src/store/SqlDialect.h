#pragma once

#include <QString>
#include <QVariantList>
#include <QtGlobal>
#include <optional>

// Every place where the embedded SQLite file and a PostgreSQL server need different SQL; all other
// statements of the store are written once for both.
class SqlDialect {
public:
    enum class Engine { Sqlite, Postgres };

    explicit SqlDialect(Engine engine = Engine::Sqlite)
        : m_engine(engine)
    {}
    Engine engine() const { return m_engine; }
    bool isServer() const { return m_engine == Engine::Postgres; }

    // Starts a transaction that writes. SQLite takes its single write lock at once, which already
    // serialises every writer; the server starts an ordinary transaction and serialises by key.
    QString beginWrite() const;
    // Holds a lock on one key (an employee, the staff table) until the transaction ends; empty where
    // the write transaction itself is the lock. Takes the key from lockKey() as its one value.
    QString lockStatement() const;
    static qint64 lockKey(const QString& key);
    // A column that orders a table's rows as they were inserted.
    QString insertionOrder() const;
    // One row when the table (its name matched without regard to case) exists; the name as value.
    QString tableExistsQuery() const;
    // The table's column names in their order; the table's name as value.
    QString columnNamesQuery() const;
    // Sets the record-number sequence past the highest record number held (after rows were copied
    // in with their numbers). Empty where the engine does it by itself; takes the table's quoted name
    // and the column's name as its two values.
    QString advanceSequence(const QString& table, const QString& column) const;
    // The highest number a table's counter has handed out, deleted rows included; no row or NULL
    // when it has handed out none. Takes the table's name and the column's name as its two values.
    QString lastNumberGiven() const;
    // Each employee's latest punch (latest day number, then the last appended) among the days at or
    // after the one given as value: "Employee ID", "Clock out", "Time", one row per employee.
    QString latestPunchPerEmployee() const;
    // Each employee's latest record by time, then record number, among the days from the first to the
    // last day number given, in employee ID order: the given columns of "In Out". The values to bind
    // come with it, as the two engines need the days in different places.
    struct Statement {
        QString sql;
        QVariantList values;
    };
    Statement latestRecordPerEmployee(const QString& columns, qint32 firstDay, qint32 lastDay) const;
    // Among the days above the first value up to the second, each employee's INs that the next record
    // by time does not answer with an OUT, and each employee's last record: "Employee ID", "Clock
    // out", "Time", "Record number", then "Next out" and, when asked for, "Next time" of the record
    // after it (Null after the last). Employees are told apart by the ID as stored. Nothing on
    // SQLite, which sorts such a window slowly.
    std::optional<QString> openInsByWindow(bool nextTimes) const;

private:
    Engine m_engine;
};
