#include "StoreFiles.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseMaintenance.h"

using DatabaseMaintenance::layoutVersion;
using DatabaseMaintenance::upgrade;

namespace {
const QStringList applicationAdded =
    QStringLiteral(
        "KeepInSeconds,KeepOutSeconds,UseLocal DB,ForceAfter,MinutesToDeduct,MinBeforeDed,LateINmessage,"
        "EarlyOUTmessage,LateINlimit,EarlyOUTlimit,Options2,ScreenInOutDays,Rejected")
        .split(QLatin1Char(','));
const QStringList inOutAdded = {QStringLiteral("Options"), QStringLiteral("Created")};
const QStringList applicationBase = QStringLiteral("Version,PW,Options,PictureDays").split(QLatin1Char(','));
const QStringList inOutBase = QStringLiteral("Time,Employee ID,Clock out,Julian,Employee,Record number,Tips,"
                                             "Dnumber,InEarly,InLate,OutEarly,OutLate")
                                  .split(QLatin1Char(','));

// A clock database of an older layout holding rows: the base fields plus whichever newer ones it got.
void createOldLayout(const QString& path, const QStringList& application, const QStringList& inOut,
                     const QVariant& version)
{
    auto columns = [](const QStringList& names) {
        QStringList defined;
        for (const QString& name : names)
            defined << Database::quoted(name) + (name == QStringLiteral("Record number")
                                                     ? QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT")
                                                     : QString());
        return defined.join(QStringLiteral(", "));
    };
    SqliteConnection c(path, 1000);
    ASSERT_TRUE(c.exec(QStringLiteral(R"(CREATE TABLE "Application" (%1))").arg(columns(application))));
    ASSERT_TRUE(c.exec(QStringLiteral(R"(CREATE TABLE "In Out" (%1))").arg(columns(inOut))));
    ASSERT_TRUE(c.exec(QStringLiteral(R"(CREATE TABLE "Employee" ("Employee ID" TEXT))")));
    ASSERT_TRUE(c.exec(QStringLiteral(R"(INSERT INTO "Application" ("Version", "PW") VALUES (?, 'secret'))"),
                       {version}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(
            c.exec(QStringLiteral(R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", )"
                                  R"("Employee", "InEarly", "InLate", "OutEarly", "OutLate") )"
                                  R"(VALUES ('2026-12-04 08:00:00', 'E1', ?, 46360, ' ', 0, 0, 0, 0))"),
                   {i % 2}));
}

QStringList columnsOf(Database& db, const QString& table)
{
    QStringList names;
    QSqlQuery& q = db.run(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        names << q.value(0).toString();
    q.finish();
    return names;
}

// What the table had, then the missing upgrade fields in list order.
QStringList upgraded(const QStringList& had, const QStringList& added)
{
    QStringList result = had;
    for (const QString& f : added) {
        if (!had.contains(f, Qt::CaseInsensitive))
            result << f;
    }
    return result;
}
} // namespace

TEST(Upgrade, AddsOnlyTheMissingFieldsInOrderAndSetsVersion6)
{
    struct Case {
        const char* name;
        QVariant version;
        QStringList application;
        QStringList inOut;
    };
    const Case cases[] = {
        {"version 5, nothing new yet", 5, applicationBase, inOutBase},
        {"version Null", QVariant(QMetaType(QMetaType::Int)), applicationBase, inOutBase},
        {"some fields there in another case", 4,
         applicationBase + QStringList{QStringLiteral("keepinseconds"), QStringLiteral("OPTIONS2")},
         inOutBase + QStringList{QStringLiteral("CREATED")}},
        {"all fields there, version stale", 5, applicationBase + applicationAdded, inOutBase + inOutAdded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        createOldLayout(folder.file(), c.application, c.inOut, c.version);
        Database& db = folder.database();
        ASSERT_TRUE(db.open(folder.file()).ok());
        EXPECT_EQ(layoutVersion(db), c.version.isNull() ? 0 : c.version.toInt());

        EXPECT_FALSE(upgrade(db));
        EXPECT_FALSE(upgrade(db)); // a second run finds nothing to add

        EXPECT_EQ(layoutVersion(db), 6);
        EXPECT_EQ(columnsOf(db, QStringLiteral("Application")), upgraded(c.application, applicationAdded));
        EXPECT_EQ(columnsOf(db, QStringLiteral("In Out")), upgraded(c.inOut, inOutAdded));
        EXPECT_EQ(ApplicationTable(db).read().value(QStringLiteral("PW")).toString(),
                  QStringLiteral("secret"));
        // Old rows read through the current record reader; new punches land after them.
        ClockRecords records(db);
        EXPECT_EQ(records.since(46360).size(), 5);
        ClockRecord next;
        next.employeeId = QStringLiteral("E1");
        next.julian = 46361;
        EXPECT_EQ(records.append(next), 6);
    }
}

TEST(Upgrade, AFileThatCannotBeUpgradedIsLeftAsItWasWithTheReason)
{
    struct Case {
        const char* name;
        const char* blocker; // what an older file holds that the upgrade cannot get past
        const char* reason;
    };
    const Case cases[] = {
        {"no settings table", R"(DROP TABLE "Application")", "Application"},
        // The third step fails after the second has added its fields: those go too.
        {"a view where the history goes", R"(CREATE VIEW "Edit history" AS SELECT 1 AS "Record number")",
         "layout 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        createOldLayout(folder.file(), applicationBase, inOutBase, 5);
        ASSERT_TRUE(SqliteConnection(folder.file(), 1000).exec(QString::fromLatin1(c.blocker)));
        Database& db = folder.database();
        ASSERT_TRUE(db.open(folder.file()).ok());
        const std::optional<QString> problem = upgrade(db);
        ASSERT_TRUE(problem);
        EXPECT_TRUE(problem->contains(QLatin1String(c.reason))) << qPrintable(*problem);
        EXPECT_TRUE(problem->contains(folder.file())) << qPrintable(*problem);
        EXPECT_EQ(columnsOf(db, QStringLiteral("In Out")), inOutBase);
        EXPECT_FALSE(db.hasTable(QStringLiteral("Schema version")));
        EXPECT_EQ(ClockRecords(db).since(46360).size(), 5);
    }
}
