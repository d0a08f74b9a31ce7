#include "staff/StaffFixture.h"
#include "staff/ui/ImportPreviewDialog.h"
#include "staff/ui/StaffTransfer.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Presses a button of the preview that is about to open, after noting what it says.
void answerPreview(const char* button, QString* summary)
{
    QTimer::singleShot(0, [button, summary] {
        auto* preview = qobject_cast<ImportPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(preview);
        *summary = preview->summary();
        QTest::mouseClick(preview->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
}
} // namespace

TEST(ImportPreview, NothingIsWrittenUntilImportIsPressed)
{
    StaffFixture f;
    f.writeStaff({{1, QStringLiteral("Adams Ann"), QStringLiteral("A1"), 1, {}, true, {}}},
                 {{1, QStringLiteral("Kitchen")}});
    const QString path = f.folder.path() + QStringLiteral("/staff.csv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Name,ID,Department,Pay,Active,Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday\r\n"
               "Adams Ann,A1,Kitchen,9,yes,,,,,,,\r\nCy,C3,Nowhere,,yes,,,,,,,\r\n");
    file.close();
    const QByteArray before = f.bytesOf(f.employeeFile());

    QString summary;
    answerPreview("cmdCancel", &summary);
    EXPECT_FALSE(StaffTransfer::importFile(nullptr, f.services, f.session, path));
    EXPECT_TRUE(summary.contains(
        QStringLiteral("1 added, 1 changed (A1 Adams Ann: pay), 1 new department (Nowhere)")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("will be created")));
    EXPECT_EQ(f.bytesOf(f.employeeFile()), before);
    EXPECT_EQ(f.session.employees().count(), 1);

    answerPreview("cmdImport", &summary);
    EXPECT_TRUE(StaffTransfer::importFile(nullptr, f.services, f.session, path));
    EXPECT_EQ(StaffFiles::loadEmployees(f.employeeFile()).count(), 2);
    EXPECT_EQ(StaffFiles::loadDepartments(f.departmentFile()).count(), 2);
}
