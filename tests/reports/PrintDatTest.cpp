#include "TestFolder.h"
#include "reports/PrintSettings.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(PrintDat, WrittenAsBasicPrintsAndReadBack)
{
    PrintSettings s;
    s.roundingCode = 52;
    s.fontName = QStringLiteral("Nimbus Sans");
    s.fontSize = 10.5;
    s.bold = true;
    s.italic = false;
    s.orientation = 1;
    s.shading = 4;
    const QByteArray bytes = PrintDat::bytes(s);
    EXPECT_EQ(bytes, QByteArray(" 52 \r\nNimbus Sans\r\n 10.5 \r\n-1 \r\n 0 \r\n 1 \r\n 4 \r\n\r\n 0 \r\n"));
    EXPECT_EQ(PrintDat::read(bytes), s);
    EXPECT_EQ(PrintDat::bytes(PrintDat::read(bytes)), bytes);
}

TEST(PrintDat, ReadingForgivesBlanksButNotNonsense)
{
    const struct {
        const char* name;
        QByteArray bytes;
        PrintSettings expected;
    } cases[] = {
        {"blanks and bare LF", "13\n  Nimbus Roman  \n12\n 0\n-1\n0\n7\n\n0\n",
         [] {
             PrintSettings s;
             s.roundingCode = 13;
             s.fontName = QStringLiteral("Nimbus Roman");
             s.fontSize = 12;
             s.italic = true;
             s.shading = 7;
             return s;
         }()},
        {"code 0 is 33, orientation above 1 is 1",
         " 0 \r\nA\r\n 9 \r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n\r\n 0 \r\n",
         [] {
             PrintSettings s;
             s.fontName = QStringLiteral("A");
             s.orientation = 1;
             s.shading = 2;
             return s;
         }()},
        {"cut short", " 13 \r\nA\r\n 9 \r\n", PrintSettings()},
        {"a word where a number belongs", " 13 \r\nA\r\nbig\r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n\r\n 0 \r\n",
         PrintSettings()},
        {"empty", "", PrintSettings()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintDat::read(c.bytes), c.expected) << c.name;
}

TEST(PrintDat, MissingFileGivesDefaultsAndSaveWritesIt)
{
    TestFolder folder;
    const QString path = PrintDat::path(folder.paths());
    const PrintSettings defaults = PrintDat::load(path);
    EXPECT_EQ(defaults.roundingCode, 33);
    EXPECT_EQ(defaults.fontSize, 9);
    EXPECT_EQ(defaults.orientation, 0);
    ASSERT_TRUE(PrintDat::save(path, defaults));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), PrintDat::bytes(defaults));
    EXPECT_EQ(PrintDat::load(path), defaults);
}
