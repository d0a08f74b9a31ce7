#include "store/SqliteSchedulingReader.h"

#include "store/Database.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

namespace {
const QString dayScheduleTable = QStringLiteral("Day schedule");
const QString startsAndStopsField = QStringLiteral("Starts & Stops");
const QString dayAndEmployeeIndex = QStringLiteral("Day and Employee");
} // namespace

SqliteSchedulingReader::SqliteSchedulingReader(const QString& path, int busyTimeoutMs)
    : m_path(path)
    , m_connection(QStringLiteral("scheduling-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    // A refused file must not keep its connection: the clock reloads every day, and each refusal
    // would otherwise hold one more file open for the rest of the run.
    try {
        open(busyTimeoutMs);
    } catch (...) {
        close();
        throw;
    }
}

SqliteSchedulingReader::~SqliteSchedulingReader()
{
    close();
}

void SqliteSchedulingReader::open(int busyTimeoutMs)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    // Read-only: the scheduling program owns the file; this one never writes, journals or locks it
    // for longer than one read, and leaves no -wal or -shm beside it.
    QString options = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (Database::isIdleWalFile(m_path)) {
        db.setDatabaseName(Database::fileUri(m_path, QStringLiteral("mode=ro&immutable=1")));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
        db.setDatabaseName(m_path);
    }
    db.setConnectOptions(options);
    if (!db.open())
        throw SchedulingError(SchedulingError::Kind::Unreadable, db.lastError().nativeErrorCode(),
                              db.lastError().text());
    // SQLite opens lazily: the first read tells a locked or foreign file.
    run(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

void SqliteSchedulingReader::close()
{
    m_lookup.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlQuery SqliteSchedulingReader::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query);
    return query;
}

void SqliteSchedulingReader::fail(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    const int code = error.nativeErrorCode().toInt() & 0xff; // the primary result code
    const QString shown = QDir::toNativeSeparators(m_path);
    if (code == 5 || code == 6) // SQLITE_BUSY, SQLITE_LOCKED
        throw SchedulingError(SchedulingError::Kind::InUse, QStringLiteral("3045"),
                              QStringLiteral("Could not use '%1'; file already in use.").arg(shown));
    if (code == 26) // SQLITE_NOTADB
        throw SchedulingError(SchedulingError::Kind::Unreadable, QStringLiteral("3343"),
                              QStringLiteral("Unrecognized database format '%1'.").arg(shown));
    if (code == 23) // SQLITE_AUTH
        throw SchedulingError(SchedulingError::Kind::NoAccess, QStringLiteral("3051"), error.databaseText());
    throw SchedulingError(SchedulingError::Kind::Unreadable, error.nativeErrorCode(), error.databaseText());
}

QString SqliteSchedulingReader::tableNamed(const QString& table)
{
    QSqlQuery names = run(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND upper(name) = ?"),
        {table.toUpper()});
    if (!names.next())
        throw SchedulingError::missingTable(table);
    return names.value(0).toString();
}

QStringList SqliteSchedulingReader::columnsNamed(const QString& table, const QStringList& fields)
{
    QHash<QString, QString> present;
    QSqlQuery info = run(QStringLiteral("PRAGMA table_info(%1)").arg(Database::quoted(table)));
    while (info.next())
        present.insert(info.value(1).toString().toUpper(), info.value(1).toString());
    QStringList columns;
    for (const QString& field : fields) {
        const auto found = present.constFind(field.toUpper());
        if (found == present.cend())
            throw SchedulingError::missingField(table, field);
        columns.append(Database::quoted(*found));
    }
    return columns;
}

QList<QVariantList> SqliteSchedulingReader::rows(const QString& table, const QStringList& fields)
{
    const QString name = tableNamed(table);
    const QStringList columns = columnsNamed(name, fields);
    QSqlQuery query = run(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                              .arg(columns.join(QStringLiteral(", ")), Database::quoted(name)));
    QList<QVariantList> result;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i)
            row.append(query.isNull(i) ? QVariant() : query.value(i));
        result.append(row);
    }
    return result;
}

std::optional<QVariant> SqliteSchedulingReader::startsAndStops(QDate day, const QVariant& employee)
{
    if (!m_lookup) {
        const QString table = tableNamed(dayScheduleTable);
        QStringList keys{QStringLiteral("Day"), QStringLiteral("Employee")};
        QSqlQuery indexes = run(QStringLiteral("PRAGMA index_list(%1)").arg(Database::quoted(table)));
        QString index;
        while (indexes.next())
            if (indexes.value(1).toString().compare(dayAndEmployeeIndex, Qt::CaseInsensitive) == 0)
                index = indexes.value(1).toString();
        if (!index.isEmpty()) {
            QSqlQuery info = run(QStringLiteral("PRAGMA index_info(%1)").arg(Database::quoted(index)));
            QStringList indexKeys;
            while (info.next())
                indexKeys.append(info.value(2).toString());
            if (indexKeys.size() >= 2)
                keys = indexKeys.mid(0, 2);
        }
        const QStringList columns = columnsNamed(table, {startsAndStopsField, keys[0], keys[1]});
        m_lookup.emplace(QSqlDatabase::database(m_connection, false));
        m_lookup->setForwardOnly(true);
        if (!m_lookup->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND %4 = ? LIMIT 1")
                                   .arg(columns[0], Database::quoted(table), columns[1], columns[2])))
            fail(*m_lookup);
    }
    m_lookup->bindValue(0, day.toString(Qt::ISODate));
    m_lookup->bindValue(1, employee);
    if (!m_lookup->exec())
        fail(*m_lookup);
    if (!m_lookup->next())
        return std::nullopt;
    const QVariant text = m_lookup->isNull(0) ? QVariant() : m_lookup->value(0);
    m_lookup->finish();
    return text;
}
