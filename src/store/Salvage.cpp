#include "store/Salvage.h"

#include "store/Database.h"
#include "store/SchemaUpgrade.h"
#include "store/SqliteConnection.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {
struct TableLayout {
    QStringList columns;
    QStringList placeholders; // per column: "?", or one that puts the default in place of a NULL
    QString rowidAlias;       // the INTEGER PRIMARY KEY column, which is the row id itself
};

TableLayout layoutOf(SqliteConnection& connection, const QString& table)
{
    TableLayout layout;
    QSqlQuery query(connection.database());
    query.prepare(QStringLiteral("SELECT name, type, pk, \"notnull\", dflt_value FROM pragma_table_info(?)"));
    query.bindValue(0, table);
    if (!query.exec())
        return layout;
    QStringList keys;
    QString integerKey;
    while (query.next()) {
        const QString name = query.value(0).toString();
        layout.columns.append(name);
        // A damaged record reads its lost fields as NULL; a column that refuses NULL takes its default
        // rather than costing the row.
        const bool defaulted = query.value(3).toInt() != 0 && !query.value(4).isNull();
        layout.placeholders.append(defaulted
                                       ? QStringLiteral("coalesce(?, %1)").arg(query.value(4).toString())
                                       : QStringLiteral("?"));
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

// Copies one table. A damaged file can still give rows three ways, and every row any of them gives is
// kept, each row id once:
// - the scan in page order, which also returns the rows of pages swapped out of their place;
// - reads in row id order from a chosen start, which reach past a damaged page: from where a read
//   broke off, starts ever further ahead are tried and then narrowed back down to the first that reads;
// - look-ups of single row ids: those the table's indexes name and every id between the lowest and the
//   highest known that no read gave, for the rows behind a damaged page that only a look-up finds.
// The last two run only when the scan broke off: a scan read to its end has met every page a look-up
// could reach.
class TableCopy {
public:
    TableCopy(SqliteConnection& source, SqliteConnection& target, const QString& sourceTable,
              const QString& targetTable)
        : m_source(source)
        , m_target(target)
        , m_sourceTable(sourceTable)
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
        for (qsizetype i = 0; i < to.columns.size(); ++i) {
            const QString& column = to.columns.at(i);
            if (column == to.rowidAlias || !sourceColumns.contains(column.toLower()))
                continue;
            selected.append(sourceColumns.value(column.toLower()));
            written.append(column);
            m_placeholders.append(to.placeholders.at(i));
        }
        m_columnCount = static_cast<int>(selected.size());
        m_key = key;
        m_selected = selected;
        m_written = written;
        const QString values = selected.isEmpty() ? QString() : QStringLiteral(", ") + quotedList(selected);
        m_select = QStringLiteral("SELECT rowid, %1%2 FROM %3 NOT INDEXED")
                       .arg(key, values, Database::quoted(sourceTable));
        m_insert = QStringLiteral("INSERT OR IGNORE INTO %1 (rowid%2) VALUES (?%3)")
                       .arg(Database::quoted(targetTable),
                            written.isEmpty() ? QString() : QStringLiteral(", ") + quotedList(written),
                            m_placeholders.isEmpty()
                                ? QString()
                                : QStringLiteral(", ") + m_placeholders.join(QStringLiteral(", ")));
        // A damaged page can point back at pages already read and send a read round in circles; no
        // read of a sound file returns more rows than its pages can hold.
        const qint64 pages = source.scalar(QStringLiteral("PRAGMA page_count")).toLongLong();
        const qint64 pageSize = source.scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
        m_readLimit = std::max<qint64>(pages, 1) * std::max<qint64>(pageSize / 4, 1) + 1000;
        m_sweepLimit = std::max<qint64>(pages, 1) * 8 + 100;
    }

    qint64 run(qint64 counter)
    {
        if (m_columnCount == 0)
            return 0; // the source's layout is unreadable: empty rows would be no rescue
        if (read(m_select, {}).ended)
            return m_copied;
        sweep();
        probeGaps(counter);
        return m_copied;
    }

private:
    struct Read {
        bool ended = false; // to the end of the rows, without an error
        bool readAny = false;
        qint64 highest = std::numeric_limits<qint64>::min();
    };

    Read read(const QString& sql, const QVariantList& values)
    {
        QSqlQuery query(m_source.database());
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            Read none;
            none.ended = true; // a table without row ids or an unreadable layout: nothing to get
            return none;
        }
        return read(query, values);
    }

    Read read(QSqlQuery& query, const QVariantList& values)
    {
        Read result;
        for (qsizetype i = 0; i < values.size(); ++i)
            query.bindValue(static_cast<int>(i), values.at(i));
        if (!query.exec())
            return result;
        qint64 rows = 0;
        while (query.next()) {
            if (++rows > m_readLimit)
                return result;
            const qint64 id = query.value(0).toLongLong();
            m_seen.push_back(id);
            result.highest = std::max(result.highest, id);
            result.readAny = true;
            QVariantList row;
            for (int i = 1; i <= m_columnCount + 1; ++i)
                row.append(query.value(i));
            write(m_insert, row);
        }
        result.ended = !query.lastError().isValid();
        query.finish();
        return result;
    }

    // Reads in row id order, starting past each place where the previous read broke off. Rows a
    // jump passes over are found again by the look-ups; every read gives at least one new row or
    // ends the sweep, and a damaged file cannot keep it going for longer than its pages allow.
    void sweep()
    {
        const QString ordered = m_select + QStringLiteral(" WHERE rowid >= ? ORDER BY rowid");
        qint64 next = std::numeric_limits<qint64>::min();
        for (qint64 reads = 0; reads < m_sweepLimit; ++reads) {
            const Read r = read(ordered, {next});
            if (r.ended)
                return;
            const qint64 damaged = r.readAny ? std::max(r.highest, next) : next;
            if (damaged == std::numeric_limits<qint64>::max())
                return;
            const std::optional<qint64> resume = firstReadableAfter(damaged);
            if (!resume)
                return;
            next = std::max(*resume, damaged + 1);
        }
    }

    // A damaged page ends reads that run into it; the first start id whose read works again lies
    // beyond it. Probing doubles its step until a read works, then halves back towards the damage.
    // A read "works" when it lands where the start says: on a row id at or above it (a page swapped
    // in from elsewhere gives rows below it, and starting there again would gain nothing).
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
            if (landsAt(candidate, &atEnd)) {
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
            if (landsAt(middle, &atEnd))
                good = middle;
            else
                failing = middle;
        }
        return good;
    }

    bool landsAt(qint64 start, bool* atEnd)
    {
        QSqlQuery query(m_source.database());
        query.setForwardOnly(true);
        if (!query.prepare(
                QStringLiteral("SELECT rowid FROM %1 NOT INDEXED WHERE rowid >= ? ORDER BY rowid LIMIT 1")
                    .arg(Database::quoted(m_sourceTable))))
            return false;
        query.bindValue(0, start);
        if (!query.exec())
            return false;
        *atEnd = !query.next();
        return !query.lastError().isValid() && (*atEnd || query.value(0).toLongLong() >= start);
    }

    // Row ids an index of the table names; the index is read as far as it can be.
    QList<qint64> indexedIds()
    {
        QList<qint64> ids;
        const QVariantList indexes = m_source.column(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?"),
            {m_sourceTable});
        for (const QVariant& index : indexes) {
            QSqlQuery query(m_source.database());
            query.setForwardOnly(true);
            if (!query.exec(QStringLiteral("SELECT rowid FROM %1 INDEXED BY %2")
                                .arg(Database::quoted(m_sourceTable), Database::quoted(index.toString()))))
                continue;
            while (query.next())
                ids.append(query.value(0).toLongLong());
        }
        return ids;
    }

    // Looks up every row id the reads did not give: those the indexes name, then each id from the lowest
    // to the highest known (the AUTOINCREMENT counter counts as known), up to a bound that keeps a wild
    // id read from a damaged page from costing hours.
    void probeGaps(qint64 counter)
    {
        QList<qint64> wanted = indexedIds();
        std::sort(m_seen.begin(), m_seen.end());
        m_seen.erase(std::unique(m_seen.begin(), m_seen.end()), m_seen.end());
        const auto seen = [this](qint64 id) {
            return std::binary_search(m_seen.begin(), m_seen.end(), id);
        };
        qint64 lowest = m_seen.empty() ? 1 : std::min<qint64>(m_seen.front(), 1);
        qint64 highest = std::max<qint64>(m_seen.empty() ? 0 : m_seen.back(), counter);
        for (qint64 id : wanted)
            highest = std::max(highest, id);
        const qint64 bound = std::max<qint64>(100000, 4 * static_cast<qint64>(m_seen.size()));
        for (qint64 id = lowest; id <= highest && id - lowest < bound; ++id)
            wanted.append(id);
        QSqlQuery single(m_source.database());
        single.setForwardOnly(true);
        if (!single.prepare(m_select + QStringLiteral(" WHERE rowid = ?")))
            return;
        for (qint64 id : wanted) {
            if (seen(id))
                continue;
            const Read r = read(single, {id});
            if (!r.ended && !r.readAny)
                readPartly(id);
        }
    }

    // A row whose record is damaged past its first fields fails to read whole; every field that still
    // reads is kept, and those that do not take the column's default.
    void readPartly(qint64 id)
    {
        const QString table = Database::quoted(m_sourceTable);
        const auto field = [&](const QString& expression, QVariant* value) {
            QSqlQuery query(m_source.database());
            query.setForwardOnly(true);
            query.prepare(
                QStringLiteral("SELECT %1 FROM %2 NOT INDEXED WHERE rowid = ?").arg(expression, table));
            query.bindValue(0, id);
            const bool read = query.exec() && query.next();
            if (read)
                *value = query.value(0);
            return read && !query.lastError().isValid();
        };
        QVariant key;
        if (!field(m_key, &key))
            return;
        QStringList columns{QStringLiteral("rowid")};
        QStringList placeholders{QStringLiteral("?")};
        QVariantList values{key};
        for (int i = 0; i < m_columnCount; ++i) {
            QVariant value;
            if (field(Database::quoted(m_selected.at(i)), &value)) {
                columns.append(Database::quoted(m_written.at(i)));
                placeholders.append(m_placeholders.at(i));
                values.append(value);
            }
        }
        m_seen.push_back(id);
        write(QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (%3)")
                  .arg(Database::quoted(m_targetTable), columns.join(QStringLiteral(", ")),
                       placeholders.join(QStringLiteral(", "))),
              values);
    }

    void write(const QString& sql, const QVariantList& values)
    {
        if (!m_cleared) {
            // The target's own rows (the template's settings row) give way to the rescued ones.
            QSqlQuery clear(m_target.database());
            clear.exec(QStringLiteral("DELETE FROM %1").arg(Database::quoted(m_targetTable)));
            m_cleared = true;
        }
        if (!m_insertQuery || m_insertSql != sql) {
            m_insertQuery.emplace(m_target.database());
            m_insertSql = sql;
            if (!m_insertQuery->prepare(sql)) {
                m_insertQuery.reset();
                return;
            }
        }
        for (qsizetype i = 0; i < values.size(); ++i)
            m_insertQuery->bindValue(static_cast<int>(i), values.at(i));
        if (m_insertQuery->exec() && m_insertQuery->numRowsAffected() > 0)
            ++m_copied;
    }

    SqliteConnection& m_source;
    SqliteConnection& m_target;
    QString m_sourceTable;
    QString m_targetTable;
    QString m_select;
    QString m_insert;
    QString m_key;
    QStringList m_selected; // source columns, in the order of
    QStringList m_written;  // the target columns they go to
    QStringList m_placeholders;
    std::optional<QSqlQuery> m_insertQuery;
    QString m_insertSql;
    int m_columnCount = 0;
    qint64 m_readLimit = 0;
    qint64 m_sweepLimit = 0;
    bool m_cleared = false;
    qint64 m_copied = 0;
    std::vector<qint64> m_seen; // row ids of the source already read
};

// The AUTOINCREMENT counters of the source, by table name in lower case, as far as they can be read.
QHash<QString, qint64> countersOf(SqliteConnection& source)
{
    QHash<QString, qint64> counters;
    QSqlQuery query(source.database());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT name, seq FROM sqlite_sequence"))) {
        while (query.next())
            counters.insert(query.value(0).toString().toLower(), query.value(1).toLongLong());
    }
    return counters;
}

// A record number once given out is never given again, even when the rows that carried the highest
// numbers were deleted before the damage. (Rescued rows above a counter have raised it already.)
void carryCounters(const QHash<QString, qint64>& counters, SqliteConnection& target)
{
    for (auto it = counters.begin(); it != counters.end(); ++it) {
        const QString& name = it.key();
        const qint64 seq = it.value();
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
    const QHash<QString, qint64> counters = countersOf(source);
    for (const QString& table : sourceTables) {
        // The rescued rows go into the template's layout, which the template's own row records.
        if (table.compare(SchemaUpgrade::versionTable, Qt::CaseInsensitive) == 0)
            continue;
        QString targetTable = targetByName.value(table.toLower());
        if (targetTable.isEmpty()) {
            QSqlQuery create(target.database());
            if (!create.exec(definitions.value(table.toLower())))
                continue;
            targetTable = table;
        }
        outcome.rows += TableCopy(source, target, table, targetTable).run(counters.value(table.toLower()));
        ++outcome.tables;
    }
    carryCounters(counters, target);
    // The template brings the clock tables' indexes; those of other tables are built anew over the
    // rescued rows, never copied from the damaged file.
    for (const QVariant& index : source.column(
             QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL")))
        QSqlQuery(target.database()).exec(index.toString());
    return outcome;
}
