#include "platform/ui/SelectNewPath.h"

#include "FakeMessageBoxes.h"
#include "platform/ProgramPaths.h"
#include "store/PathFile.h"
#include "store/SchedulingLink.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Answers the file dialog once it is up: picks the file, or cancels with an empty name.
void answerDialog(const QString& file, QString* folderSeen, QStringList* filtersSeen)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            answerDialog(file, folderSeen, filtersSeen);
            return;
        }
        *folderSeen = dialog->directory().absolutePath();
        *filtersSeen = dialog->nameFilters();
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept"); // a protected slot
    });
}
} // namespace

TEST(SelectNewPath, ChoosingTheSchedulingDatabaseWritesThePathFile)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.filePath(QStringLiteral("program")));
    QDir().mkpath(paths.programFolder());
    const QString roster = dir.filePath(QStringLiteral("roster"));
    QDir().mkpath(roster);
    for (const char* name : {"rtm.mdb", "Clock.mdb"}) {
        QFile file(QDir(roster).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    struct Case {
        const char* label;
        QString file; // empty: cancelled
        std::optional<QString> folder;
        int messages;
    };
    const Case cases[] = {
        {"cancelled", QString(), std::nullopt, 0},
        {"another database", QDir(roster).filePath(QStringLiteral("Clock.mdb")), std::nullopt, 1},
        {"rtm.mdb in lower case", QDir(roster).filePath(QStringLiteral("rtm.mdb")), roster + QLatin1Char('/'),
         0},
    };
    for (const Case& c : cases) {
        QString folderSeen;
        QStringList filters;
        answerDialog(c.file, &folderSeen, &filters);
        FakeMessageBoxes messages;
        const std::optional<QString> folder = SchedulingLink::acceptChosenFile(
            selectNewPath(nullptr, paths.programFolder()), messages, nullptr);
        EXPECT_EQ(folderSeen, paths.programFolder()) << c.label;
        EXPECT_EQ(filters, QStringList{"MS Access database (Rtm.mdb) ([Rr][Tt][Mm].[Mm][Dd][Bb])"})
            << c.label;
        EXPECT_EQ(folder, c.folder) << c.label;
        ASSERT_EQ(messages.shown.size(), c.messages) << c.label;
        if (c.messages) {
            EXPECT_EQ(messages.shown[0].text, "The file you selected is not Rtm.mdb");
            EXPECT_EQ(messages.shown[0].title, "New database file");
            EXPECT_EQ(messages.beeps, 1);
        }
    }

    // The options dialog's save: the folder with its separator, read back as the scheduling source.
    PathFile::State state;
    ASSERT_TRUE(PathFile::writeNewPath(paths, roster + QLatin1Char('/'),
                                       QDir(roster).filePath(QStringLiteral("rtm.mdb")), state));
    EXPECT_EQ(state.source, EmployeeSource::SchedulingDatabase);
    QFile written(QDir(paths.programFolder()).filePath(QStringLiteral("RtmPath.DAT")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), roster.toUtf8() + "/\r\n\r\n");
    const PathFile::State read = PathFile::read(paths);
    EXPECT_EQ(read.dataFolder, roster);
    EXPECT_EQ(read.source, EmployeeSource::SchedulingDatabase);
    ProgramPaths data(paths.programFolder());
    data.setDataFolder(read.dataFolder);
    EXPECT_EQ(SchedulingLink::fileIn(data), QDir(roster).filePath(QStringLiteral("rtm.mdb")));
}
