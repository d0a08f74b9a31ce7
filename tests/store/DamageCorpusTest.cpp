// Damaged copies of one 2,000-row clock database, damaged the ways files get damaged. For each: the
// damage is found (at open or by the full check) whenever it costs a row or breaks an index, a file
// the open refuses is left as it was until the user says yes, and the repair keeps every row that a
// plain scan or a look-up by record number of the damaged file still gives, each record number once,
// with every index rebuilt.
#include "StoreFiles.h"
#include "store/DatabaseMaintenance.h"
#include "store/IntegrityCheck.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <iostream>

namespace {
constexpr int pageSize = 4096;
constexpr int rowCount = 2000;
constexpr int walRowCount = 50; // punches that are only in the WAL

// The undamaged database and where its pages are.
struct Original {
    QByteArray main;
    QByteArray wal; // the same file with walRowCount more punches not yet checkpointed
    QList<int> tableLeaves;
    QList<int> tableInterior;
    QMap<QString, QList<int>> indexLeaves;
};

const Original& original()
{
    static const Original built = [] {
        Original o;
        ClockFolder folder;
        folder.createAndOpen();
        folder.addPunches(rowCount);
        folder.database().close();
        o.main = folder.readBytes();
        SqliteConnection pages(folder.file(), 1000);
        QSqlQuery query(pages.database());
        query.exec(QStringLiteral("SELECT name, pageno, pagetype FROM dbstat ORDER BY pageno"));
        while (query.next()) {
            const QString name = query.value(0).toString();
            const int page = query.value(1).toInt();
            const bool leaf = query.value(2).toString() == QLatin1String("leaf");
            if (name == QLatin1String("In Out"))
                (leaf ? o.tableLeaves : o.tableInterior).append(page);
            else if (leaf && name != QLatin1String("Employee") && name != QLatin1String("Application"))
                o.indexLeaves[name].append(page);
        }
        query.finish();
        pages.close();
        // A program still running: its last punches are committed to the WAL only.
        EXPECT_TRUE(folder.database().open(folder.file()).ok());
        folder.database().execute(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        ClockRecords records(folder.database());
        for (int i = 0; i < walRowCount; ++i)
            records.append(punchRecord(QStringLiteral("W"),
                                       QDateTime(QDate(2026, 12, 5), QTime(9, 0)).addSecs(i), false,
                                       QStringLiteral("WAL-%1|").arg(i)));
        o.wal = folder.readBytes(QStringLiteral("Clock.mdb-wal"));
        return o;
    }();
    return built;
}

QByteArray page(const QByteArray& file, int number)
{
    return file.mid(qsizetype(number - 1) * pageSize, pageSize);
}

QByteArray withPage(QByteArray file, int number, const QByteArray& content)
{
    file.replace(qsizetype(number - 1) * pageSize, pageSize, content);
    return file;
}

QByteArray swapped(const QByteArray& file, int a, int b)
{
    return withPage(withPage(file, a, page(file, b)), b, page(file, a));
}

QByteArray randomBytes(QRandomGenerator& random, qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

struct Damaged {
    QString name;
    QByteArray main;
    QByteArray wal;
    bool mustBeFound = false; // damage that always costs rows or breaks an index
};

QList<Damaged> corpus()
{
    const Original& o = original();
    QList<Damaged> files;
    const qsizetype size = o.main.size();
    for (int k = 1; k <= 5; ++k)
        files.append({QStringLiteral("truncated at %1/6").arg(k), o.main.left(size * k / 6), {}, true});
    files.append({QStringLiteral("last page cut"), o.main.left(size - pageSize), {}, false});
    QRandomGenerator random(20261204);
    for (int i = 0; i < 10; ++i) {
        const qsizetype length = 1 + random.bounded(3 * pageSize);
        const qsizetype at = random.bounded(size - length);
        files.append({QStringLiteral("random run of %1 at %2").arg(length).arg(at),
                      QByteArray(o.main).replace(at, length, randomBytes(random, length)),
                      {},
                      false});
    }
    const QList<int>& leaves = o.tableLeaves;
    const qsizetype n = leaves.size();
    for (const qsizetype at : {qsizetype(0), qsizetype(1), n / 2, n - 1})
        files.append({QStringLiteral("table leaf %1 zeroed").arg(leaves[at]),
                      withPage(o.main, leaves[at], QByteArray(pageSize, '\0')),
                      {},
                      true});
    files.append({QStringLiteral("table root zeroed"),
                  withPage(o.main, o.tableInterior.first(), QByteArray(pageSize, '\0')),
                  {},
                  true});
    const QList<std::pair<qsizetype, qsizetype>> pairs = {
        {n / 2, n / 2 + 1}, {1, n - 2}, {0, n - 1}, {n / 3, 2 * n / 3}};
    for (const auto& [a, b] : pairs)
        files.append({QStringLiteral("table leaves %1 and %2 swapped").arg(leaves[a]).arg(leaves[b]),
                      swapped(o.main, leaves[a], leaves[b]),
                      {},
                      true});
    for (auto it = o.indexLeaves.begin(); it != o.indexLeaves.end(); ++it) {
        if (it.value().size() < 2)
            continue;
        const QList<int>& index = it.value();
        files.append({QStringLiteral("index %1 leaves swapped").arg(it.key()),
                      swapped(o.main, index[index.size() / 2 - 1], index[index.size() / 2]),
                      {},
                      true});
    }
    // The header: page size, format versions, payload fractions, page count, schema format, encoding.
    for (const int at : {16, 18, 19, 21, 28, 31, 44, 56}) {
        QByteArray flipped = o.main;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x5a);
        // A format version SQLite cannot read, or may not write (every punch would fail).
        files.append({QStringLiteral("header byte %1 flipped").arg(at), flipped, {}, at == 18 || at == 19});
    }
    files.append({QStringLiteral("text file"), "Clock times for December\r\n", {}, true});
    files.append({QStringLiteral("empty file"), QByteArray(), {}, false});
    files.append({QStringLiteral("WAL whole"), o.main, o.wal, false});
    QByteArray garbled = o.wal;
    garbled.replace(garbled.size() / 2, 3000, randomBytes(random, 3000));
    files.append({QStringLiteral("WAL garbled in the middle"), o.main, garbled, false});
    files.append({QStringLiteral("WAL cut short"), o.main, o.wal.left(o.wal.size() / 3), false});
    files.append({QStringLiteral("WAL of random bytes"), o.main, randomBytes(random, 64 * 1024), false});
    files.append({QStringLiteral("WAL whole, table leaf zeroed"),
                  withPage(o.main, leaves[n / 2], QByteArray(pageSize, '\0')), o.wal, true});
    return files;
}

// Record number -> employee name of every row a plain scan of the table gives up to the first error,
// and every row a look-up by record number gives. Read from a copy: reading may write the files.
QMap<qint64, QString> readableRows(const Damaged& file)
{
    QMap<qint64, QString> rows;
    if (file.main.isEmpty())
        return rows; // an empty file is taken for a missing one
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copy.mdb"));
    QFile main(path);
    EXPECT_TRUE(main.open(QIODevice::WriteOnly));
    main.write(file.main);
    main.close();
    if (!file.wal.isEmpty()) {
        QFile wal(path + QStringLiteral("-wal"));
        EXPECT_TRUE(wal.open(QIODevice::WriteOnly));
        wal.write(file.wal);
    }
    SqliteConnection c(path, 1000);
    c.exec(QStringLiteral("PRAGMA writable_schema=ON")); // reads a file shorter than its header says
    QSqlQuery scan(c.database());
    scan.setForwardOnly(true);
    if (scan.exec(QStringLiteral(R"(SELECT "Record number", "Employee" FROM "In Out")"))) {
        for (int read = 0; read < 10 * rowCount && scan.next(); ++read)
            rows.insert(scan.value(0).toLongLong(), scan.value(1).toString());
    }
    scan.finish();
    QSqlQuery probe(c.database());
    probe.setForwardOnly(true);
    if (probe.prepare(QStringLiteral(
            R"(SELECT "Record number", "Employee" FROM "In Out" WHERE "Record number" = ?)"))) {
        for (int id = 1; id <= rowCount + walRowCount + 10; ++id) {
            probe.bindValue(0, id);
            if (probe.exec() && probe.next() && !rows.contains(id))
                rows.insert(id, probe.value(1).toString());
            probe.finish();
        }
    }
    return rows;
}
} // namespace

TEST(Repair, EveryRowTheDamagedFileStillGivesIsKept)
{
    qsizetype readable = 0, kept = 0, repaired = 0;
    const QList<Damaged> files = corpus();
    for (const Damaged& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        ClockFolder folder;
        folder.writeBytes(file.main);
        if (!file.wal.isEmpty())
            folder.writeBytes(file.wal, QStringLiteral("Clock.mdb-wal"));
        const QMap<qint64, QString> expected = readableRows(file);

        const Database::OpenResult opened =
            DatabaseMaintenance::openClockDatabase(folder.database(), folder.paths());
        if (!opened.ok()) {
            EXPECT_EQ(opened.status, Database::OpenStatus::Damaged) << opened.errorText.toStdString();
            EXPECT_EQ(folder.readBytes(), file.main) << "changed before the question";
        }
        const std::atomic_bool noStop{false};
        const bool found = !opened.ok() || IntegrityCheck::run(folder.file(), noStop).has_value();
        // Frames of a WAL that is not whole are ignored by design; any other missing row is damage.
        const bool lostRows = file.wal.isEmpty() && !file.main.isEmpty() && expected.size() < rowCount;
        EXPECT_TRUE(found || !(file.mustBeFound || lostRows));
        if (!found)
            continue;

        QString error;
        ASSERT_TRUE(DatabaseMaintenance::repair(folder.database(), folder.paths(), &error))
            << error.toStdString();
        ++repaired;
        readable += expected.size();
        EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok")); // every index agrees with its table
        EXPECT_EQ(DatabaseMaintenance::layoutVersion(folder.database()), 6);
        QMap<qint64, QString> rows;
        {
            SqliteConnection c(folder.file(), 1000);
            QSqlQuery q(c.database());
            q.exec(QStringLiteral(R"(SELECT "Record number", "Employee" FROM "In Out")"));
            while (q.next())
                rows.insert(q.value(0).toLongLong(), q.value(1).toString());
        }
        qsizetype missing = 0;
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            if (rows.value(it.key()) != it.value())
                ++missing;
        }
        EXPECT_EQ(missing, 0) << "of " << expected.size() << " readable rows";
        kept += expected.size() - missing;
        // A new punch never takes a record number the file held.
        const qint64 next = ClockRecords(folder.database()).append(ClockRecord());
        EXPECT_GT(next, rows.isEmpty() ? 0 : rows.lastKey());
        if (expected.contains(rowCount)) {
            EXPECT_GT(next, rowCount);
        }
    }
    std::cout << "[ figures  ] damaged files " << files.size() << ", repaired " << repaired << ", rows kept "
              << kept << " of " << readable << " readable\n";
}
