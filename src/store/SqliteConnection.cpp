#include "store/SqliteConnection.h"

#include <QAtomicInteger>
#include <QSqlQuery>

namespace {
QString uniqueName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("tellarin-file-%1").arg(++counter);
}
} // namespace

SqliteConnection::SqliteConnection(const QString& path, int busyTimeoutMs, bool readOnly)
    : m_name(uniqueName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    m_open = db.open();
    if (!m_open)
        m_lastError = db.lastError();
}

SqliteConnection::~SqliteConnection()
{
    close();
}

QSqlDatabase SqliteConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool SqliteConnection::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(sql, values);
    while (m_lastError.type() == QSqlError::NoError && query.isSelect() && query.next()) {
    }
    if (query.lastError().isValid())
        m_lastError = query.lastError();
    return !m_lastError.isValid();
}

QVariant SqliteConnection::scalar(const QString& sql, const QVariantList& values)
{
    const QVariantList rows = column(sql, values);
    if (m_lastError.isValid())
        return {};
    return rows.isEmpty() ? QVariant() : rows.first();
}

QVariantList SqliteConnection::column(const QString& sql, const QVariantList& values)
{
    QVariantList result;
    QSqlQuery query = run(sql, values);
    while (!m_lastError.isValid() && query.next())
        result.append(query.value(0));
    if (query.lastError().isValid())
        m_lastError = query.lastError();
    return result;
}

QSqlQuery SqliteConnection::run(const QString& sql, const QVariantList& values)
{
    m_lastError = QSqlError();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    for (qsizetype i = 0; ok && i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values.at(i));
    if (!(ok && query.exec()))
        m_lastError = query.lastError();
    return query;
}

void SqliteConnection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_open = false;
}

int sqlitePrimaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}
