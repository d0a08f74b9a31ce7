#include "BackendTest.h"
#include "store/ApplicationTable.h"
#include "store/ClockRecords.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseMaintenance.h"
#include "store/SchemaUpgrade.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using SchemaUpgrade::Outcome;

namespace {
SchemaUpgrade::Backend schemaBackend(Backend backend)
{
    return backend == Backend::File ? SchemaUpgrade::Backend::File : SchemaUpgrade::Backend::Server;
}

// An empty database of either backend, reached directly for laying out an older layout, and opened
// as the program opens it.
class EmptyDatabase {
public:
    explicit EmptyDatabase(Backend backend)
        : m_backend(backend)
    {
        if (backend == Backend::Server)
            m_url = PostgresServer::shared().createDatabase(QStringLiteral("layout"));
    }
    ~EmptyDatabase()
    {
        if (QSqlDatabase::contains(connectionName))
            QSqlDatabase::removeDatabase(connectionName);
    }
    QString file() const { return QDir(m_dir.path()).filePath(QStringLiteral("Clock.mdb")); }

    // Runs `work` on a connection of its own, closed afterwards.
    template <typename Work> void direct(Work work)
    {
        {
            QSqlDatabase db;
            if (m_backend == Backend::File) {
                db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
                db.setDatabaseName(file());
            } else {
                const auto location = DatabaseLocation::parse(m_url);
                db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
                db.setHostName(location->host());
                db.setPort(location->port());
                db.setUserName(location->user());
                db.setDatabaseName(location->databaseName());
            }
            ASSERT_TRUE(db.open()) << qPrintable(db.lastError().text());
            work(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(connectionName);
    }

    // What stops the program from using the database, as it opens it; nothing when it opens.
    std::optional<QString> open(Database& database)
    {
        if (m_backend == Backend::Server) {
            const Database::OpenResult opened = database.openServer(*DatabaseLocation::parse(m_url));
            return opened.ok() ? std::nullopt : std::optional<QString>(opened.errorText);
        }
        const Database::OpenResult opened = database.open(file());
        if (!opened.ok())
            return opened.errorText;
        return DatabaseMaintenance::upgrade(database);
    }

private:
    static inline const QString connectionName = QStringLiteral("layout-test");
    Backend m_backend;
    QTemporaryDir m_dir;
    QString m_url;
};

void exec(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(sql)) << qPrintable(query.lastError().text()) << "\n" << qPrintable(sql);
}

QStringList rows(QSqlDatabase& db, const QString& sql, const QVariantList& bound = {})
{
    QStringList lines;
    QSqlQuery query(db);
    query.prepare(sql);
    for (qsizetype i = 0; i < bound.size(); ++i)
        query.bindValue(static_cast<int>(i), bound.at(i));
    EXPECT_TRUE(query.exec()) << qPrintable(query.lastError().text());
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields.append(query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
        lines.append(fields.join(QLatin1Char('|')));
    }
    return lines;
}

// Every table with its columns in order, every index with its columns, and the layout recorded,
// as the database's own catalogue gives them.
QStringList catalogue(QSqlDatabase db, Backend backend)
{
    QStringList lines;
    if (backend == Backend::Server) {
        lines << rows(db, QStringLiteral(
                              "SELECT table_name, ordinal_position, column_name, data_type, is_nullable, "
                              "column_default, collation_name, is_identity FROM information_schema.columns "
                              "WHERE table_schema = current_schema() ORDER BY table_name, ordinal_position"));
        lines << rows(
            db, QStringLiteral("SELECT tablename, indexname, indexdef FROM pg_indexes WHERE schemaname = "
                               "current_schema() ORDER BY tablename, indexname"));
    } else {
        const QStringList tables =
            rows(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        for (const QString& table : tables) {
            lines << QStringLiteral("table ") + table;
            lines << rows(
                db,
                QStringLiteral(
                    R"(SELECT cid, name, type, "notnull", dflt_value, pk FROM pragma_table_info(?))"),
                {table});
            const QStringList indexes = rows(
                db,
                QStringLiteral(R"(SELECT name, "unique", origin FROM pragma_index_list(?) ORDER BY name)"),
                {table});
            for (const QString& index : indexes) {
                lines << QStringLiteral("index ") + index;
                lines << rows(db,
                              QStringLiteral("SELECT seqno, name, coll FROM pragma_index_xinfo(?) WHERE key"),
                              {index.section(QLatin1Char('|'), 0, 0)});
            }
        }
    }
    lines << rows(db, QStringLiteral(R"(SELECT "Version" FROM "Schema version")"));
    return lines;
}

QStringList newDatabaseCatalogue(Backend backend)
{
    TestFolder folder(backend);
    return catalogue(folder.database().connection(), backend);
}
} // namespace

using SchemaLayoutTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(SchemaLayoutTest);

TEST_P(SchemaLayoutTest, EveryOlderLayoutUpgradedEqualsANewDatabaseAndKeepsItsRows)
{
    const SchemaUpgrade::Backend schema = schemaBackend(backend());
    const int newest = SchemaUpgrade::newestLayout(schema);
    ASSERT_GE(newest, 2);
    const QStringList expected = newDatabaseCatalogue(backend());
    // Each older layout as recorded, and as a release from before the record left it (which the
    // newest layout can be too).
    for (int layout = 1; layout <= newest; ++layout) {
        for (const bool recorded : {true, false}) {
            if (layout == newest && recorded)
                continue;
            SCOPED_TRACE(QStringLiteral("layout %1%2")
                             .arg(layout)
                             .arg(recorded ? "" : ", not recorded")
                             .toStdString());
            EmptyDatabase empty(backend());
            empty.direct([&](QSqlDatabase& db) {
                ASSERT_EQ(SchemaUpgrade::upgrade(db, schema, layout).outcome, Outcome::Upgraded);
                // The settings row: the one a layout brings, or one as an older release wrote it.
                exec(db, QStringLiteral(R"(INSERT INTO "Application" ("Version") SELECT 5 )"
                                        R"(WHERE NOT EXISTS (SELECT 1 FROM "Application"))"));
                exec(db, QStringLiteral(R"(UPDATE "Application" SET "PW" = 'secret')"));
                exec(
                    db,
                    QStringLiteral(
                        R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", )"
                        R"("Employee", "Tips") VALUES ('2026-12-04 08:00:00', 'E1', 1, 46360, 'Eve', 25000))"));
                if (!recorded)
                    exec(db, QStringLiteral(R"(DROP TABLE "Schema version")"));
            });
            Database database;
            const std::optional<QString> problem = empty.open(database);
            ASSERT_FALSE(problem) << qPrintable(*problem);
            EXPECT_EQ(catalogue(database.connection(), backend()), expected);

            ASSERT_EQ(ClockRecords(database).since(0).size(), 1);
            const ClockRecord kept = ClockRecords(database).since(0).first();
            EXPECT_EQ(kept.employee, QStringLiteral("Eve"));
            EXPECT_TRUE(kept.clockOut);
            EXPECT_EQ(kept.tips, Money::fromUnits(25000));
            EXPECT_EQ(ApplicationTable(database).read().value(QStringLiteral("PW")).toString(),
                      QStringLiteral("secret"));
            // A second opening finds nothing to do.
            database.close();
            EXPECT_FALSE(empty.open(database));
            EXPECT_EQ(catalogue(database.connection(), backend()), expected);
        }
    }
}

TEST_P(SchemaLayoutTest, ADatabaseOfANewerLayoutIsRefusedAndLeftAsItIs)
{
    const int newer = SchemaUpgrade::newestLayout(schemaBackend(backend())) + 1;
    EmptyDatabase empty(backend());
    empty.direct([&](QSqlDatabase& db) {
        ASSERT_EQ(SchemaUpgrade::upgrade(db, schemaBackend(backend())).outcome, Outcome::Upgraded);
        exec(db, QStringLiteral(R"(UPDATE "Schema version" SET "Version" = %1)").arg(newer));
        // What a newer release might have added.
        exec(db, QStringLiteral(R"(CREATE TABLE "Shift swaps" ("Start" INTEGER))"));
    });
    QStringList before;
    empty.direct([&](QSqlDatabase& db) { before = catalogue(db, backend()); });
    Database database;
    const std::optional<QString> problem = empty.open(database);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QStringLiteral("newer release"))) << qPrintable(*problem);
    EXPECT_TRUE(problem->contains(QString::number(newer))) << qPrintable(*problem);
    database.close();
    empty.direct([&](QSqlDatabase& db) { EXPECT_EQ(catalogue(db, backend()), before); });
}

TEST(SchemaLayout, EveryBackendNumbersItsFilesWithoutGapsAndEachHasStatements)
{
    for (const SchemaUpgrade::Backend schema :
         {SchemaUpgrade::Backend::File, SchemaUpgrade::Backend::Server, SchemaUpgrade::Backend::Queue}) {
        const int newest = SchemaUpgrade::newestLayout(schema);
        EXPECT_GE(newest, 1);
        for (int layout = 1; layout <= newest; ++layout)
            EXPECT_FALSE(SchemaUpgrade::statements(schema, layout).isEmpty()) << layout;
        EXPECT_TRUE(SchemaUpgrade::statements(schema, newest + 1).isEmpty());
    }
}
