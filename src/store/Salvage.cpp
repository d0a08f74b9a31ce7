#include "store/Salvage.h"

#include "store/Database.h"
#include "store/SqliteConnection.h"

#include <QHash>
#include <QSqlQuery>
#include <limits>
#include <optional>

namespace {
struct TableLayout {
    QStringList columns;
    QString rowidAlias; // the INTEGER PRIMARY KEY column, which is the row id itself
};

TableLayout layoutOf(SqliteConnection& connection, const QString& table)
{
    TableLayout layout;
    QSqlQuery query(connection.database());
    query.prepare(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"));
    query.bindValue(0, table);
    if (!query.exec())
        return layout;
    QStringList keys;
    QString integerKey;
    while (query.next()) {
        const QString name = query.value(0).toString();
        layout.columns.append(name);
        if (query.value(2).toInt() > 0) {
            keys.append(name);
            if (query.value(1).toString().compare(QStringLiteral("INTEGER"), Qt::CaseInsensitive) == 0)
                integerKey = name;
        }
    }
    if (keys.size() == 1 && keys.first() == integerKey)
        layout.rowidAlias = integerKey;
    return layout;
}

QStringList tableNames(SqliteConnection& connection, QHash<QString, QString>* definitions)
{
    QStringList names;
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                   "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")))
        return names;
    while (query.next()) {
        names.append(query.value(0).toString());
        if (definitions)
            definitions->insert(names.last().toLower(), query.value(1).toString());
    }
    return names;
}

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(Database::quoted(name));
    return quoted.join(QStringLiteral(", "));
}

// Copies one table. Rows are read in row id order from a starting id; when a read fails, the
// damaged stretch is stepped over by probing ever further ahead and then narrowing back down to
// the first id that reads again, so the rows right behind the damage are not lost.
class TableCopy {
public:
    TableCopy(SqliteConnection& source, SqliteConnection& target, const QString& sourceTable,
              const QString& targetTable)
        : m_source(source)
        , m_target(target)
        , m_targetTable(targetTable)
    {
        const TableLayout from = layoutOf(source, sourceTable);
        const TableLayout to = layoutOf(target, targetTable);
        QHash<QString, QString> sourceColumns;
        for (const QString& column : from.columns)
            sourceColumns.insert(column.toLower(), column);
        QString key = QStringLiteral("rowid");
        // An older table may carry the key column as a plain field: its values become the row ids.
        if (!to.rowidAlias.isEmpty() && sourceColumns.contains(to.rowidAlias.toLower()) &&
            from.rowidAlias.isEmpty())
            key = Database::quoted(sourceColumns.value(to.rowidAlias.toLower()));
        QStringList selected;
        QStringList written;
        for (const QString& column : to.columns) {
            if (column == to.rowidAlias || !sourceColumns.contains(column.toLower()))
                continue;
            selected.append(sourceColumns.value(column.toLower()));
            written.append(column);
        }
        m_columnCount = static_cast<int>(selected.size());
        const QString table = Database::quoted(sourceTable);
        const QString values = selected.isEmpty() ? QString() : QStringLiteral(", ") + quotedList(selected);
        m_select = QStringLiteral("SELECT %1%2 FROM %3 NOT INDEXED WHERE rowid >= ? ORDER BY rowid")
                       .arg(key, values, table);
        m_probe = QStringLiteral("SELECT rowid FROM %1 NOT INDEXED WHERE rowid >= ? ORDER BY rowid LIMIT 1")
                      .arg(table);
        QStringList marks(written.size() + 1, QStringLiteral("?"));
        m_insert = QStringLiteral("INSERT OR REPLACE INTO %1 (rowid%2) VALUES (%3)")
                       .arg(Database::quoted(targetTable),
                            written.isEmpty() ? QString() : QStringLiteral(", ") + quotedList(written),
                            marks.join(QStringLiteral(", ")));
    }

    qint64 run()
    {
        if (m_columnCount == 0)
            return 0; // the source's layout is unreadable: empty rows would be no rescue
        qint64 next = std::numeric_limits<qint64>::min();
        for (;;) {
            qint64 last = 0;
            bool readAny = false;
            if (readFrom(next, &last, &readAny))
                break;
            const qint64 damaged = readAny ? last + 1 : next;
            const std::optional<qint64> resume = firstReadableAfter(damaged);
            if (!resume)
                break;
            next = std::max(*resume, damaged + 1);
        }
        return m_copied;
    }

private:
    // True when the table was read to its end without an error.
    bool readFrom(qint64 start, qint64* last, bool* readAny)
    {
        QSqlQuery query(m_source.database());
        query.setForwardOnly(true);
        if (!query.prepare(m_select))
            return true; // a table without row ids or an unreadable layout: nothing more to get
        query.bindValue(0, start);
        if (!query.exec())
            return false;
        while (query.next()) {
            const qint64 id = query.value(0).toLongLong();
            // Row ids only grow along a sound table; one that does not means the damage has made
            // the pages point back into each other, and reading on would go round for ever.
            if (*readAny && id <= *last)
                return false;
            *last = id;
            *readAny = true;
            write(query);
        }
        return !query.lastError().isValid();
    }

    // A damaged page ends reads that run into it; the first start id whose read works again lies
    // beyond it. Probing doubles its step until a read works, then halves back towards the damage.
    std::optional<qint64> firstReadableAfter(qint64 damaged)
    {
        qint64 failing = damaged;
        qint64 step = 1;
        std::optional<qint64> readable;
        while (!readable) {
            if (failing > std::numeric_limits<qint64>::max() - step)
                return std::nullopt;
            const qint64 candidate = failing + step;
            bool atEnd = false;
            if (probe(candidate, &atEnd)) {
                if (atEnd)
                    return std::nullopt;
                readable = candidate;
            } else {
                failing = candidate;
                step = step > std::numeric_limits<qint64>::max() / 2 ? std::numeric_limits<qint64>::max()
                                                                     : step * 2;
            }
        }
        qint64 good = *readable;
        while (good - failing > 1) {
            const qint64 middle = failing + (good - failing) / 2;
            bool atEnd = false;
            if (probe(middle, &atEnd))
                good = middle;
            else
                failing = middle;
        }
        return good;
    }

    bool probe(qint64 start, bool* atEnd)
    {
        QSqlQuery query(m_source.database());
        query.setForwardOnly(true);
        if (!query.prepare(m_probe))
            return false;
        query.bindValue(0, start);
        if (!query.exec())
            return false;
        *atEnd = !query.next();
        return !query.lastError().isValid();
    }

    void write(const QSqlQuery& row)
    {
        if (!m_cleared) {
            // The target's own rows (the template's settings row) give way to the rescued ones.
            QSqlQuery clear(m_target.database());
            clear.exec(QStringLiteral("DELETE FROM %1").arg(Database::quoted(m_targetTable)));
            m_cleared = true;
        }
        if (!m_insertQuery) {
            m_insertQuery.emplace(m_target.database());
            if (!m_insertQuery->prepare(m_insert))
                return;
        }
        for (int i = 0; i <= m_columnCount; ++i)
            m_insertQuery->bindValue(i, row.value(i));
        if (m_insertQuery->exec())
            ++m_copied;
    }

    SqliteConnection& m_source;
    SqliteConnection& m_target;
    QString m_targetTable;
    QString m_select;
    QString m_probe;
    QString m_insert;
    std::optional<QSqlQuery> m_insertQuery;
    int m_columnCount = 0;
    bool m_cleared = false;
    qint64 m_copied = 0;
};

// AUTOINCREMENT counters: a record number once given out is never given again, even when the
// rows that carried the highest numbers were deleted before the damage.
void carryCounters(SqliteConnection& source, SqliteConnection& target)
{
    QSqlQuery query(source.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name, seq FROM sqlite_sequence")))
        return;
    while (query.next()) {
        const QString name = query.value(0).toString();
        const qint64 seq = query.value(1).toLongLong();
        QSqlQuery update(target.database());
        update.prepare(
            QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ? COLLATE NOCASE AND seq < ?"));
        update.bindValue(0, seq);
        update.bindValue(1, name);
        update.bindValue(2, seq);
        update.exec();
    }
}
} // namespace

Salvage::Outcome Salvage::copyReadableRows(SqliteConnection& source, SqliteConnection& target)
{
    Outcome outcome;
    // Lets SQLite read a file shorter than its header claims instead of refusing it whole; nothing
    // is ever written through this connection.
    source.exec(QStringLiteral("PRAGMA writable_schema=ON"));
    QHash<QString, QString> definitions;
    QStringList sourceTables = tableNames(source, &definitions);
    const QStringList targetTables = tableNames(target, nullptr);
    QHash<QString, QString> targetByName;
    for (const QString& name : targetTables)
        targetByName.insert(name.toLower(), name);
    if (sourceTables.isEmpty())
        sourceTables = targetTables; // the schema itself is unreadable: try the tables we know
    for (const QString& table : sourceTables) {
        QString targetTable = targetByName.value(table.toLower());
        if (targetTable.isEmpty()) {
            QSqlQuery create(target.database());
            if (!create.exec(definitions.value(table.toLower())))
                continue;
            targetTable = table;
        }
        outcome.rows += TableCopy(source, target, table, targetTable).run();
        ++outcome.tables;
    }
    carryCounters(source, target);
    return outcome;
}
