#include "store/OwnFiles.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Restores the working folder a relative name is taken from.
struct WorkingFolder {
    QString before = QDir::currentPath();
    explicit WorkingFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~WorkingFolder() { QDir::setCurrent(before); }
};
} // namespace

TEST(OwnFiles, OutputsNeverLandOnTheProgramsFiles)
{
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    const QString data = root.filePath(QStringLiteral("data"));
    const QString elsewhere = root.filePath(QStringLiteral("elsewhere"));
    for (const char* name :
         {"program/Clock.jan", "program/Empl.DAT", "program/Dept.DAT", "program/RtmPath.DAT",
          "program/Print.Dat", "program/Queue.db", "program/Station.ini", "data/Clock.mdb",
          "data/Clock.mdb-wal", "data/RTM.MDB", "data/Pictures/7.jpg", "elsewhere/Clock.mdb"})
        put(root.filePath(QString::fromLatin1(name)), "kept");
    ProgramPaths paths(program);
    paths.setDataFolder(data);
    ASSERT_EQ(::symlink(qPrintable(data + QStringLiteral("/Clock.mdb")),
                        qPrintable(elsewhere + QStringLiteral("/link.csv"))),
              0);
    ASSERT_EQ(::symlink(qPrintable(program + QStringLiteral("/Queue.db-wal")),
                        qPrintable(elsewhere + QStringLiteral("/dangling.csv"))),
              0);
    ASSERT_EQ(::link(qPrintable(program + QStringLiteral("/Empl.DAT")),
                     qPrintable(elsewhere + QStringLiteral("/hard.csv"))),
              0);
    ASSERT_EQ(::symlink(qPrintable(data), qPrintable(elsewhere + QStringLiteral("/data-link"))), 0);

    const WorkingFolder working(program);
    const struct {
        QString output;
        bool refused;
    } cases[] = {
        {data + QStringLiteral("/Clock.mdb"), true},
        {data + QStringLiteral("/clock.MDB"), true},
        {data + QStringLiteral("/Clock.mdb-shm"), true}, // not there yet, still the database's
        {data + QStringLiteral("/Clock_20261204_101500.MDB"), true},
        {data + QStringLiteral("/Pictures/8.jpg"), true},
        {data + QStringLiteral("/RTM.MDB"), true},
        {program + QStringLiteral("/Empl.DAT"), true},
        {program + QStringLiteral("/../program/./Print.Dat"), true},
        {QStringLiteral("Dept.DAT"), true}, // relative to the working folder
        {QStringLiteral("RtmPath.DAT"), true},
        {program + QStringLiteral("/Station.ini"), true},
        {elsewhere + QStringLiteral("/link.csv"), true},
        {elsewhere + QStringLiteral("/dangling.csv"), true},
        {elsewhere + QStringLiteral("/hard.csv"), true},
        {elsewhere + QStringLiteral("/data-link/Clock.mdb"), true},
        {data + QStringLiteral("/report.csv"), false},
        {QStringLiteral("report.pdf"), false},
        {elsewhere + QStringLiteral("/Clock.mdb"), false}, // another program's folder
        {elsewhere + QStringLiteral("/Employees.csv"), false},
    };
    for (const auto& c : cases) {
        const QString refusal = OwnFiles::refusal(paths, c.output);
        EXPECT_EQ(!refusal.isEmpty(), c.refused) << c.output.toStdString() << ": " << refusal.toStdString();
        if (c.refused) {
            EXPECT_TRUE(refusal.contains(QLatin1String("the program's own file"))) << refusal.toStdString();
        }
    }
}

TEST(OwnFiles, AFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir root;
    const QString output = root.filePath(QStringLiteral("report.csv"));
    put(output, "old report");
    QString error;
    ASSERT_TRUE(OwnFiles::writeOutput(output, "new report", &error)) << error.toStdString();
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("new report"));

    // A folder in place of the file cannot be renamed over: the write fails and names the path.
    const QString folder = root.filePath(QStringLiteral("folder.csv"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    EXPECT_FALSE(OwnFiles::writeOutput(folder, "x", &error));
    EXPECT_TRUE(error.contains(folder)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.csv")});
}
