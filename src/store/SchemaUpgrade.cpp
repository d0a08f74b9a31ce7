#include "store/SchemaUpgrade.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
using SchemaUpgrade::Backend;

QString folderOf(Backend backend)
{
    switch (backend) {
    case Backend::File:
        return QStringLiteral(":/schema/file");
    case Backend::Server:
        return QStringLiteral(":/schema/server");
    case Backend::Queue:
        break;
    }
    return QStringLiteral(":/schema/queue");
}

// The table every layout of the backend has: without it the database is empty.
QString firstTable(Backend backend)
{
    return backend == Backend::Queue ? QStringLiteral("Queued punches") : QStringLiteral("In Out");
}

QStringList fileNames(Backend backend)
{
    return QDir(folderOf(backend)).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
}

QString quoted(const QString& identifier)
{
    QString escaped = identifier;
    return QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// A single value of a query, or an invalid QVariant when it gives no row; false when it fails.
bool valueOf(QSqlDatabase& db, const QString& sql, const QVariantList& bound, QVariant* value, QString* error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    bool prepared = query.prepare(sql);
    for (qsizetype i = 0; prepared && i < bound.size(); ++i)
        query.bindValue(static_cast<int>(i), bound.at(i));
    if (!prepared || !query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    *value = query.next() ? query.value(0) : QVariant();
    return true;
}

bool hasTable(QSqlDatabase& db, Backend backend, const QString& table, bool* found, QString* error)
{
    const QString sql =
        backend != Backend::Server
            ? QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)")
            : QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                             "AND table_name = ?");
    QVariant value;
    if (!valueOf(db, sql, {table}, &value, error))
        return false;
    *found = value.isValid();
    return true;
}

// The layout of a database from before layouts were recorded, told by what the upgrades left.
bool unrecordedLayout(QSqlDatabase& db, Backend backend, int* layout, QString* error)
{
    QVariant value;
    if (backend == Backend::Queue) {
        *layout = 1;
        return true;
    }
    if (backend == Backend::Server) {
        // The password column became bytes in the second layout.
        if (!valueOf(db,
                     QStringLiteral("SELECT data_type FROM information_schema.columns WHERE table_schema = "
                                    "current_schema() AND table_name = 'Application' AND column_name = 'PW'"),
                     {}, &value, error))
            return false;
        *layout = value.toString() == QLatin1String("bytea") ? 2 : 1;
        return true;
    }
    // Files that took the earlier upgrades carry layout number 6 in their settings row and the edit
    // history; any other file is taken from the first layout on, adding only what it lacks.
    bool history = false;
    if (!hasTable(db, backend, QStringLiteral("Edit history"), &history, error))
        return false;
    if (!valueOf(db, QStringLiteral(R"(SELECT "Version" FROM "Application" ORDER BY rowid LIMIT 1)"), {},
                 &value, error))
        return false;
    *layout = history && value.toInt() == 6 ? 3 : 1;
    return true;
}

// SQLite cannot add a column only when it is missing, and older releases added some of them one at
// a time: a column the table has already (in any case) is kept as it is.
bool columnExists(QSqlDatabase& db, const QString& statement, bool* exists, QString* error)
{
    static const QRegularExpression addColumn(
        QStringLiteral(R"re(^ALTER TABLE "([^"]+)" ADD COLUMN "([^"]+)")re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = addColumn.match(statement);
    *exists = false;
    if (!match.hasMatch())
        return true;
    QVariant value;
    if (!valueOf(db, QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE lower(name) = lower(?)"),
                 {match.captured(1), match.captured(2)}, &value, error))
        return false;
    *exists = value.isValid();
    return true;
}

bool execute(QSqlDatabase& db, const QString& sql, const QVariantList& bound, QString* error)
{
    QSqlQuery query(db);
    // The server prepares only queries and row changes: layout statements go as they are.
    bool done = false;
    if (bound.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (qsizetype i = 0; i < bound.size(); ++i)
            query.bindValue(static_cast<int>(i), bound.at(i));
        done = query.exec();
    }
    if (done)
        return true;
    *error = query.lastError().text();
    return false;
}

bool record(QSqlDatabase& db, Backend backend, int layout, QString* error)
{
    const QString table = quoted(SchemaUpgrade::versionTable);
    bool present = false;
    return hasTable(db, backend, SchemaUpgrade::versionTable, &present, error) &&
           (present ||
            execute(db, QStringLiteral("CREATE TABLE %1 (\"Version\" INTEGER NOT NULL)").arg(table), {},
                    error)) &&
           execute(db, QStringLiteral("DELETE FROM %1").arg(table), {}, error) &&
           execute(db, QStringLiteral("INSERT INTO %1 (\"Version\") VALUES (?)").arg(table), {layout}, error);
}
} // namespace

QString SchemaUpgrade::newerLayoutText(int layout, Backend backend)
{
    return QStringLiteral("It was laid out by a newer release of the program (layout %1; this release knows "
                          "layouts up to %2) and is left as it is: use that release or a later one.")
        .arg(layout)
        .arg(newestLayout(backend));
}

int SchemaUpgrade::newestLayout(Backend backend)
{
    return static_cast<int>(fileNames(backend).size());
}

QStringList SchemaUpgrade::statements(Backend backend, int layout)
{
    const QString prefix = QStringLiteral("%1-").arg(layout, 2, 10, QLatin1Char('0'));
    QStringList result;
    for (const QString& name : fileNames(backend)) {
        if (!name.startsWith(prefix))
            continue;
        QFile file(folderOf(backend) + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            return result;
        // One statement ends with the line that ends in a semicolon.
        QString current;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.trimmed().startsWith(QLatin1String("--")) || line.trimmed().isEmpty())
                continue;
            current += line + QLatin1Char('\n');
            if (line.trimmed().endsWith(QLatin1Char(';'))) {
                current = current.trimmed();
                current.chop(1);
                result.append(current);
                current.clear();
            }
        }
    }
    return result;
}

bool SchemaUpgrade::layoutOf(QSqlDatabase& db, Backend backend, Layout* layout, QString* error)
{
    *layout = Layout();
    bool recorded = false;
    if (!hasTable(db, backend, versionTable, &recorded, error))
        return false;
    if (recorded) {
        QVariant value;
        if (!valueOf(db, QStringLiteral("SELECT max(\"Version\") FROM %1").arg(quoted(versionTable)), {},
                     &value, error))
            return false;
        *layout = {value.toInt(), true};
        return true;
    }
    bool clockTables = false;
    if (!hasTable(db, backend, firstTable(backend), &clockTables, error))
        return false;
    if (!clockTables)
        return true;
    return unrecordedLayout(db, backend, &layout->number, error);
}

SchemaUpgrade::Result SchemaUpgrade::upgrade(QSqlDatabase& db, Backend backend, int target)
{
    Result result;
    const int newest = newestLayout(backend);
    if (target < 0)
        target = newest;
    Layout layout;
    if (!layoutOf(db, backend, &layout, &result.message)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    result.from = result.to = layout.number;
    if (layout.number > newest) {
        result.outcome = Outcome::TooNew;
        result.message = newerLayoutText(layout.number, backend);
        return result;
    }
    if (layout.number >= target && layout.recorded)
        return result;
    const auto failed = [&](int step, const QString& why) {
        result.outcome = Outcome::Failed;
        result.message = QStringLiteral("Bringing it to layout %1 failed: %2").arg(step).arg(why);
        return result;
    };
    for (int step = layout.number + 1; step <= target; ++step) {
        const QStringList statementsOfStep = statements(backend, step);
        if (statementsOfStep.isEmpty())
            return failed(step, QStringLiteral("the program carries no schema file for it"));
        for (const QString& statement : statementsOfStep) {
            QString error;
            bool present = false;
            if (backend != Backend::Server && !columnExists(db, statement, &present, &error))
                return failed(step, error);
            if (!present && !execute(db, statement, {}, &error))
                return failed(step, error);
        }
        result.to = step;
    }
    QString error;
    if (!record(db, backend, result.to, &error))
        return failed(result.to, error);
    result.outcome = Outcome::Upgraded;
    return result;
}
