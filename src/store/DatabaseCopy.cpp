#include "store/DatabaseCopy.h"

#include "store/ApplicationTable.h"
#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
// Tables whose rows mean the database is in use: copying over them would mix two histories.
const QStringList recordTables = {QStringLiteral("In Out"), QStringLiteral("Edit history")};

struct Sequence {
    QString table;
    QString column;
};
const QList<Sequence> sequences = {{QStringLiteral("In Out"), QStringLiteral("Record number")},
                                   {QStringLiteral("Edit history"), QStringLiteral("Entry number")}};

} // namespace

const QStringList& DatabaseCopy::tables()
{
    static const QStringList names = {QStringLiteral("In Out"),
                                      QStringLiteral("Employee"),
                                      QStringLiteral("Application"),
                                      QStringLiteral("Program settings"),
                                      QStringLiteral("Edit history"),
                                      QStringLiteral("Pay periods"),
                                      QStringLiteral("Period approvals"),
                                      QStringLiteral("Pay rate"),
                                      QStringLiteral("Resolved exceptions"),
                                      QStringLiteral("PINs"),
                                      QStringLiteral("Badges"),
                                      QStringLiteral("Employee payroll")};
    return names;
}

DatabaseCopy::DatabaseCopy(Database& source, Database& target, int rowsPerStatement)
    : m_source(source)
    , m_target(target)
    , m_rowsPerStatement(qMax(1, rowsPerStatement))
{}

DatabaseCopy::Result DatabaseCopy::run()
{
    Result result;
    // The file is held still while it is read, so the counts compared are the counts copied.
    Transaction reading(m_source);
    Transaction writing(m_target);
    m_target.lock(QStringLiteral("clock tables"));
    if (targetHasRecords()) {
        result.outcome = Outcome::TargetNotEmpty;
        return result;
    }
    for (const QString& table : tables()) {
        TableCount counted{table, m_source.hasTable(table) ? count(m_source, table) : 0, 0};
        // The server's own first rows (the default settings row, a staff table of a station that
        // looked in) give way to the file's.
        m_target.execute(QStringLiteral("DELETE FROM %1").arg(Database::quoted(table)));
        if (counted.source > 0)
            copyTable(table);
        counted.target = count(m_target, table);
        if (counted.target != counted.source)
            result.outcome = Outcome::CountsDiffer;
        result.counts.append(counted);
    }
    if (result.outcome != Outcome::Copied)
        return result;
    for (const Sequence& sequence : sequences) {
        const QString sql = m_target.dialect().advanceSequence(sequence.table, sequence.column);
        if (!sql.isEmpty())
            m_target.execute(sql, {Database::quoted(sequence.table), sequence.column});
    }
    writing.commit();
    // A server that has just been handed a whole file knows nothing yet of its rows; without
    // statistics its first punches would scan. Advisory only: autovacuum gets there later anyway.
    QSqlQuery(m_target.connection()).exec(QStringLiteral("ANALYZE"));
    return result;
}

qint64 DatabaseCopy::count(Database& database, const QString& table)
{
    QSqlQuery& query = database.run(QStringLiteral("SELECT count(*) FROM %1").arg(Database::quoted(table)));
    const qint64 rows = query.next() ? query.value(0).toLongLong() : 0;
    database.finish(query);
    return rows;
}

bool DatabaseCopy::targetHasRecords()
{
    for (const QString& table : recordTables) {
        QSqlQuery& query =
            m_target.run(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(Database::quoted(table)));
        const bool found = query.next();
        m_target.finish(query);
        if (found)
            return true;
    }
    return false;
}

QStringList DatabaseCopy::sharedColumns(const QString& table)
{
    // An older file may lack later columns or spell one in another case; the server's spelling wins
    // and a column only it has keeps its default.
    const QStringList sourceColumns = m_source.columnNames(table);
    QStringList shared;
    for (const QString& column : m_target.columnNames(table)) {
        if (sourceColumns.contains(column, Qt::CaseInsensitive))
            shared.append(column);
    }
    return shared;
}

void DatabaseCopy::copyTable(const QString& table)
{
    const QStringList columns = sharedColumns(table);
    if (columns.isEmpty())
        return;
    QStringList quotedColumns;
    for (const QString& column : columns)
        quotedColumns.append(Database::quoted(column));
    const QString order = table == QLatin1String("In Out")         ? QStringLiteral(R"("Record number")")
                          : table == QLatin1String("Edit history") ? QStringLiteral(R"("Entry number")")
                                                                   : m_source.dialect().insertionOrder();
    // Its own query object: the shared prepared ones would be reused by the counts meanwhile.
    QSqlQuery read(m_source.connection());
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                       .arg(quotedColumns.join(QStringLiteral(", ")), Database::quoted(table), order)))
        m_source.fail(DatabaseError(read.lastError()));
    QVariantList values;
    values.reserve(m_rowsPerStatement * columns.size());
    const bool settings = table == QLatin1String("Application");
    int rows = 0;
    while (read.next()) {
        for (int i = 0; i < columns.size(); ++i)
            values.append(settings ? ApplicationTable::stored(m_target.dialect(), columns[i], read.value(i))
                                   : read.value(i));
        if (++rows == m_rowsPerStatement) {
            insertRows(table, quotedColumns, rows, values);
            values.clear();
            rows = 0;
        }
    }
    m_source.finish(read);
    if (rows > 0)
        insertRows(table, quotedColumns, rows, values);
}

void DatabaseCopy::insertRows(const QString& table, const QStringList& quotedColumns, int rows,
                              const QVariantList& values)
{
    QString row = QStringLiteral("(?");
    for (qsizetype i = 1; i < quotedColumns.size(); ++i)
        row += QStringLiteral(", ?");
    row += QLatin1Char(')');
    QStringList rowList(rows, row);
    m_target.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                         .arg(Database::quoted(table), quotedColumns.join(QStringLiteral(", ")),
                              rowList.join(QStringLiteral(", "))),
                     values);
}
