#include "StoreFiles.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseMaintenance.h"

using DatabaseMaintenance::CheckDBversion;
using DatabaseMaintenance::layoutVersion;

namespace {
// The fields the upgrade appends, in order.
const QStringList applicationAdded = {
    QStringLiteral("KeepInSeconds"), QStringLiteral("KeepOutSeconds"),  QStringLiteral("UseLocal DB"),
    QStringLiteral("ForceAfter"),    QStringLiteral("MinutesToDeduct"), QStringLiteral("MinBeforeDed"),
    QStringLiteral("LateINmessage"), QStringLiteral("EarlyOUTmessage"), QStringLiteral("LateINlimit"),
    QStringLiteral("EarlyOUTlimit"), QStringLiteral("Options2"),        QStringLiteral("ScreenInOutDays"),
    QStringLiteral("Rejected")};
const QStringList inOutAdded = {QStringLiteral("Options"), QStringLiteral("Created")};

const QStringList applicationBase = {QStringLiteral("Version"), QStringLiteral("PW"),
                                     QStringLiteral("Options"), QStringLiteral("EarlyMessage"),
                                     QStringLiteral("PictureDays")};
const QStringList inOutBase = {
    QStringLiteral("Time"),   QStringLiteral("Employee ID"), QStringLiteral("Clock out"),
    QStringLiteral("Julian"), QStringLiteral("Employee"),    QStringLiteral("Record number"),
    QStringLiteral("Tips"),   QStringLiteral("Dnumber"),     QStringLiteral("InEarly"),
    QStringLiteral("InLate"), QStringLiteral("OutEarly"),    QStringLiteral("OutLate")};

// A clock database of an older layout: the base fields, plus whichever newer fields it already got.
void createOldLayout(const QString& path, const QStringList& extraApplication, const QStringList& extraInOut,
                     const QVariant& version) {
    SqliteConnection c(path, 1000);
    QStringList app;
    for (const QString& f : applicationBase + extraApplication)
        app << Database::quoted(f) + (f == QStringLiteral("PW") || f.contains(QStringLiteral("essage"))
                                          ? QStringLiteral(" TEXT")
                                          : QStringLiteral(" INTEGER"));
    QStringList inOut;
    for (const QString& f : inOutBase + extraInOut)
        inOut << Database::quoted(f) + (f == QStringLiteral("Record number")
                                            ? QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT")
                                            : QString());
    ASSERT_TRUE(
        c.exec(QStringLiteral(R"(CREATE TABLE "Application" (%1))").arg(app.join(QStringLiteral(", ")))));
    ASSERT_TRUE(
        c.exec(QStringLiteral(R"(CREATE TABLE "In Out" (%1))").arg(inOut.join(QStringLiteral(", ")))));
    ASSERT_TRUE(c.exec(QStringLiteral(R"(CREATE TABLE "Employee" ("Employee ID" TEXT))")));
    ASSERT_TRUE(
        c.exec(QStringLiteral(
                   R"(INSERT INTO "Application" ("Version", "PW", "PictureDays") VALUES (?, 'secret', 14))"),
               {version}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(
            c.exec(QStringLiteral(
                       R"(INSERT INTO "In Out" ("Time", "Employee ID", "Clock out", "Julian", )"
                       R"("Employee", "Tips") VALUES ('2026-12-04 08:00:0%1', 'E1', ?, 46360, ' ', NULL))")
                       .arg(i),
                   {i % 2}));
}

QStringList columnsOf(Database& db, const QString& table) {
    QStringList names;
    QSqlQuery& q = db.run(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        names << q.value(0).toString();
    q.finish();
    return names;
}

// The expected column order: what the table had, then the missing upgrade fields in list order.
QStringList upgraded(const QStringList& had, const QStringList& added) {
    QStringList result = had;
    for (const QString& f : added) {
        if (!had.contains(f, Qt::CaseInsensitive))
            result << f;
    }
    return result;
}
} // namespace

TEST(CheckDBversion, AddsOnlyTheMissingFieldsInOrderAndSetsVersion6) {
    struct Case {
        const char* name;
        QVariant version;
        QStringList extraApplication;
        QStringList extraInOut;
    };
    const Case cases[] = {
        {"version 5, nothing new yet", 5, {}, {}},
        {"version Null", QVariant(QMetaType(QMetaType::Int)), {}, {}},
        {"some fields there in another case",
         4,
         {QStringLiteral("keepinseconds"), QStringLiteral("OPTIONS2"), QStringLiteral("Rejected")},
         {QStringLiteral("CREATED")}},
        {"all fields there, version stale", 5, applicationAdded, inOutAdded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        createOldLayout(folder.file(), c.extraApplication, c.extraInOut, c.version);
        Database& db = folder.database();
        ASSERT_TRUE(db.open(folder.file()).ok());
        EXPECT_EQ(layoutVersion(db), c.version.isNull() ? 0 : c.version.toInt());

        CheckDBversion(db);

        EXPECT_EQ(layoutVersion(db), 6);
        EXPECT_EQ(columnsOf(db, QStringLiteral("Application")),
                  upgraded(applicationBase + c.extraApplication, applicationAdded));
        EXPECT_EQ(columnsOf(db, QStringLiteral("In Out")), upgraded(inOutBase + c.extraInOut, inOutAdded));
        const ApplicationTable::Row row = ApplicationTable(db).read();
        EXPECT_EQ(row.value(QStringLiteral("PW")).toString(), QStringLiteral("secret"));
        EXPECT_EQ(row.value(QStringLiteral("PictureDays")).toInt(), 14);

        // Old rows read through the current record reader; new punches land after them.
        ClockRecords records(db);
        EXPECT_EQ(records.since(46360).size(), 5);
        ClockRecord next;
        next.employeeId = QStringLiteral("E1");
        next.julian = 46361;
        next.options = 5;
        EXPECT_EQ(records.append(next), 6);
        EXPECT_EQ(records.latestFor(QStringLiteral("E1"))->options, 5);

        CheckDBversion(db); // a second run finds nothing to add
        EXPECT_EQ(columnsOf(db, QStringLiteral("Application")).size(),
                  upgraded(applicationBase + c.extraApplication, applicationAdded).size());
    }
}

TEST(CheckDBversion, AddedFieldsKeepTheirKindOfValue) {
    ClockFolder folder;
    createOldLayout(folder.file(), {}, {}, 5);
    Database& db = folder.database();
    ASSERT_TRUE(db.open(folder.file()).ok());
    CheckDBversion(db);
    // Typed text becomes a number in numeric fields and stays text in text fields.
    ApplicationTable(db).write({{QStringLiteral("KeepInSeconds"), QStringLiteral("12")},
                                {QStringLiteral("ForceAfter"), QStringLiteral("1.5")},
                                {QStringLiteral("Rejected"), QStringLiteral("007")},
                                {QStringLiteral("Options2"), QStringLiteral("65536")}});
    QSqlQuery& q =
        db.run(QStringLiteral(R"(SELECT typeof("KeepInSeconds"), typeof("ForceAfter"), )"
                              R"(typeof("Rejected"), "Rejected", typeof("Options2") FROM "Application")"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("integer"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("real"));
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("text"));
    EXPECT_EQ(q.value(3).toString(), QStringLiteral("007"));
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("integer"));
    q.finish();
}

TEST(CheckDBversion, AFailingStepDoesNotStopTheOthers) {
    ClockFolder folder;
    {
        SqliteConnection c(folder.file(), 1000);
        ASSERT_TRUE(c.exec(QStringLiteral(R"(CREATE TABLE "In Out" ("Time" TEXT, "Employee ID" TEXT))")));
    }
    Database& db = folder.database();
    ASSERT_TRUE(db.open(folder.file()).ok());
    CheckDBversion(db); // no Application table: its fields and the version cannot be written
    EXPECT_EQ(columnsOf(db, QStringLiteral("In Out")),
              (QStringList{QStringLiteral("Time"), QStringLiteral("Employee ID"), QStringLiteral("Options"),
                           QStringLiteral("Created")}));
    EXPECT_EQ(layoutVersion(db), 0);
}
