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

TEST(PrintDat, ValuesOutOfRangeAreTheirDefaultsAndReadBackTheSame)
{
    // One line changed at a time in an otherwise good file: rounding, size, bold, italic,
    // orientation, shading.
    const QList<QByteArray> good = {" 52 ", "Nimbus Sans", " 10 ", "-1 ", " 0 ", " 1 ", " 4 ", "", " 0 "};
    const struct {
        int line;
        const char* value;
        int rounding;
        double size;
        int orientation;
        int shading;
    } cases[] = {
        {0, "0.5", 33, 10, 1, 4},   {0, "nan", 33, 10, 1, 4},    {0, "1e300", 33, 10, 1, 4},
        {0, "-52", 33, 10, 1, 4},   {0, "66", 33, 10, 1, 4},     {0, "inf", 33, 10, 1, 4},
        {2, "1e9", 52, 9, 1, 4},    {2, "inf", 52, 9, 1, 4},     {2, "nan", 52, 9, 1, 4},
        {2, "-12", 52, 9, 1, 4},    {2, "0", 52, 9, 1, 4},       {2, "10.123456789", 52, 10.12, 1, 4},
        {5, "1e300", 52, 10, 1, 4}, {5, "-1e300", 52, 10, 0, 4}, {5, "nan", 52, 10, 0, 4},
        {5, "0.5", 52, 10, 0, 4},   {6, "1e300", 52, 10, 1, 1},  {6, "-3", 52, 10, 1, 1},
        {6, "nan", 52, 10, 1, 1},   {6, "8", 52, 10, 1, 1},      {6, "2.5", 52, 10, 1, 1},
    };
    for (const auto& c : cases) {
        QList<QByteArray> lines = good;
        lines[c.line] = c.value;
        const PrintSettings read = PrintDat::read(lines.join("\r\n") + "\r\n");
        SCOPED_TRACE(std::string("line ") + std::to_string(c.line + 1) + " = " + c.value);
        EXPECT_EQ(read.roundingCode, c.rounding);
        EXPECT_DOUBLE_EQ(read.fontSize, c.size);
        EXPECT_EQ(read.orientation, c.orientation);
        EXPECT_EQ(read.shading, c.shading);
        EXPECT_TRUE(read.bold);
        EXPECT_EQ(PrintDat::read(PrintDat::bytes(read)), read);
        EXPECT_EQ(PrintDat::bytes(PrintDat::read(PrintDat::bytes(read))), PrintDat::bytes(read));
    }
    QList<QByteArray> flags = good;
    flags[3] = "nan";
    flags[4] = "inf";
    const PrintSettings read = PrintDat::read(flags.join("\r\n"));
    EXPECT_FALSE(read.bold);
    EXPECT_FALSE(read.italic);
}
