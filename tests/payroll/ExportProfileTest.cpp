#include "payroll/ExportProfile.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString lines(std::initializer_list<const char*> list)
{
    QStringList text;
    for (const char* line : list)
        text.append(QString::fromUtf8(line));
    return text.join(QLatin1Char('\n'));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(ExportProfile, MistakesAreRefusedNamingTheirLine)
{
    const struct {
        QString text;
        const char* problem; // how the message begins
    } cases[] = {
        {lines(
             {"[profile]", "format = csv", "file_name = out.csv", "", "[columns]", "Name = name", "Hours ="}),
         "test.ini line 7: column \"Hours\" is missing what it holds"},
        {lines({"[profile]", "format = csv", "file_name = out.csv", "", "[columns]", "Name = name",
                "Hours = hourz"}),
         "test.ini line 7: column \"Hours\" holds \"hourz\", which is unknown"},
        {lines({"[profile]", "format = csv", "file_name = out.csv", "", "[columns]", "= hours"}),
         "test.ini line 6: a column needs its title"},
        {lines(
             {"[profile]", "format = csv", "file_name = out.csv", "[columns]", "Job = \"Main", "H = hours"}),
         "test.ini line 5: column \"Job\" has fixed text without its closing \""},
        {lines({"[profile]", "format = csv", "file_name = out.csv", "[columns]", "H = hours",
                "H = regular_hours"}),
         "test.ini line 6: a second column titled \"H\""},
        {lines({"[profile]", "format = csv", "decimals = two", "file_name = out.csv", "[columns]",
                "H = hours"}),
         "test.ini line 3: decimals is \"two\""},
        {lines(
             {"[profile]", "format = csv", "decimals = 5", "file_name = out.csv", "[columns]", "H = hours"}),
         "test.ini line 3: decimals is \"5\""},
        {lines({"[profile]", "format = csv", "decimal_point = ;", "file_name = out.csv", "[columns]",
                "H = hours"}),
         "test.ini line 3: decimal_point is \";\""},
        {lines({"[profile]", "format = csv", "hours = minutes", "file_name = out.csv", "[columns]",
                "H = hours"}),
         "test.ini line 3: hours is \"minutes\"; it must be decimal or h:mm"},
        {lines({"[profile]", "format = csv", "date = MM/dd/yy hh:mm", "file_name = x", "[columns]",
                "H = hours"}),
         "test.ini line 3: date is \"MM/dd/yy hh:mm\""},
        {lines({"[profile]", "format = csv", "date = yyy-MM", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 3: date is \"yyy-MM\""},
        {lines({"[profile]", "format = csv", "encoding = latin1", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 3: encoding is \"latin1\""},
        {lines({"[profile]", "format = csv", "decimal = 2", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 3: unknown setting \"decimal\""},
        {lines({"[profile]", "format = csv", "file_name = x", "format = iif", "[columns]", "H = hours"}),
         "test.ini line 4: format is set a second time (first on line 2)"},
        {lines({"format = csv", "[profile]", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 1: \"format\" stands before the [profile] section"},
        {lines({"[profile]", "format = csv", "file_name = x", "[colums]", "H = hours"}),
         "test.ini line 4: unknown section [colums]"},
        {lines({"[profile]", "format = csv", "file_name = x", "[columns]", "Hours hours"}),
         "test.ini line 5: expected name = value"},
        {lines({"[profile]", "format = csv", "file_name = {name}.csv", "[columns]", "H = hours"}),
         "test.ini line 3: file_name uses {name}"},
        {lines({"[profile]", "format = csv", "file_name = {adp.compny}.csv", "[columns]", "H = hours"}),
         "test.ini line 3: file_name uses {adp.compny}"},
        {lines({"[profile]", "format = csv", "file_name = pay/{adp.company}.csv", "[columns]", "H = hours"}),
         "test.ini line 3: file_name names a folder"},
        {lines({"[profile]", "format = csv", "file_name = pay{.csv", "[columns]", "H = hours"}),
         "test.ini line 3: file_name has a { or }"},
        {lines({"[profile]", "format = csv", "blank_zero = name", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 3: blank_zero names \"name\""},
        {lines({"[profile]", "format = iif", "header = no", "file_name = x", "[columns]", "H = hours"}),
         "test.ini line 3: an IIF file always has its header lines"},
        {lines({"[profile]", "format = csv", "file_name = x", "[columns]", "H = hours", "Day = date"}),
         "test.ini line 6: column \"Day\" holds date, which needs rows = workday"},
        {lines({"[profile]", "format = csv", "rows = workday", "file_name = x", "[columns]", "Tips = tips"}),
         "test.ini line 6: column \"Tips\" holds tips, which needs rows = employee"},
        {lines({"[profile]", "file_name = x", "[columns]", "H = hours"}),
         "test.ini: [profile] is missing its format line"},
        {lines({"[profile]", "format = csv", "file_name = x", "[columns]"}),
         "test.ini: the profile has no columns"},
        {lines({"[columns]", "H = hours"}), "test.ini: the [profile] section is missing"},
    };
    for (const auto& c : cases) {
        QString problem;
        EXPECT_FALSE(ExportProfile::parse(c.text, QStringLiteral("test.ini"), &problem).has_value())
            << c.problem;
        EXPECT_TRUE(problem.startsWith(QString::fromUtf8(c.problem))) << problem.toStdString();
    }
}

TEST(ExportProfile, PresetsParseAndDescribeTheirServices)
{
    for (const QString& name : ExportProfile::presetNames()) {
        QString problem;
        const auto profile = ExportProfile::parse(ExportProfile::presetText(name), name, &problem);
        ASSERT_TRUE(profile.has_value()) << problem.toStdString();
        EXPECT_EQ(*profile, ExportProfile::preset(name));
    }
    const ExportProfile adp = ExportProfile::preset(QStringLiteral("adp"));
    ASSERT_EQ(adp.columns.size(), 7);
    EXPECT_TRUE(adp.columns[6].blankWhenZero);
    EXPECT_FALSE(adp.columns[4].blankWhenZero);
    EXPECT_TRUE(ExportProfile::presetText(QStringLiteral("paychex")).isEmpty());
}

TEST(ExportProfile, FilesFromAWindowsEditorLoad)
{
    QTemporaryDir dir;
    // A name with a percent sign, as message texts are filled in by number.
    const QString path = QDir(dir.path()).filePath(QStringLiteral("mine%1.ini"));
    QByteArray text = "\xEF\xBB\xBF" + ExportProfile::presetText(QStringLiteral("gusto")).toUtf8();
    text.replace("\n", "\r\n");
    text.replace("cash_tips = tips", "Trinkgeld (bar) = tips");
    ASSERT_TRUE(writeFile(path, text));
    QString problem;
    const auto profile = ExportProfile::load(path, &problem);
    ASSERT_TRUE(profile.has_value()) << problem.toStdString();
    EXPECT_EQ(profile->columns.last().title, QStringLiteral("Trinkgeld (bar)"));

    ASSERT_TRUE(writeFile(path, "[profile]\r\nformat = csv\r\nfile_name = x\r\n[columns]\r\nH = hourz\r\n"));
    EXPECT_FALSE(ExportProfile::load(path, &problem).has_value());
    EXPECT_TRUE(problem.startsWith(QStringLiteral("mine%1.ini line 5:"))) << problem.toStdString();

    ASSERT_TRUE(writeFile(path, "[profile]\nname = Caf\xE9\n"));
    EXPECT_FALSE(ExportProfile::load(path, &problem).has_value());
    EXPECT_EQ(problem, QStringLiteral("the profile %1 is not UTF-8 text").arg(path));

    ASSERT_TRUE(writeFile(path, QByteArray(2 << 20, ';')));
    EXPECT_FALSE(ExportProfile::load(path, &problem).has_value());
    EXPECT_TRUE(problem.contains(QStringLiteral("larger than 1 MB"))) << problem.toStdString();

    const QString missing = QDir(dir.path()).filePath(QStringLiteral("none.ini"));
    EXPECT_FALSE(ExportProfile::load(missing, &problem).has_value());
    EXPECT_TRUE(problem.contains(missing)) << problem.toStdString();

    // A preset's name is the preset, even beside a file of that name.
    EXPECT_EQ(ExportProfile::load(QStringLiteral("adp"), &problem),
              ExportProfile::preset(QStringLiteral("adp")));
}

TEST(ExportProfile, APresetWrittenOutLoadsAsItselfAndNeverReplacesAFile)
{
    QTemporaryDir program;
    QTemporaryDir dir;
    const ProgramPaths paths(program.path());
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("quickbooks.ini"));
    QString error;
    ASSERT_TRUE(ExportProfile::writePreset(QStringLiteral("quickbooks"), paths, copy, &error))
        << error.toStdString();
    EXPECT_EQ(ExportProfile::load(copy, &error), ExportProfile::preset(QStringLiteral("quickbooks")));

    // An edited copy stays as the manager left it.
    ASSERT_TRUE(writeFile(copy, "edited"));
    EXPECT_FALSE(ExportProfile::writePreset(QStringLiteral("quickbooks"), paths, copy, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("exists already"))) << error.toStdString();
    EXPECT_EQ(contents(copy), QByteArray("edited"));

    const QString own = QDir(program.path()).filePath(QStringLiteral("Station.ini"));
    EXPECT_FALSE(ExportProfile::writePreset(QStringLiteral("adp"), paths, own, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("own file"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(own));

    EXPECT_FALSE(ExportProfile::writePreset(QStringLiteral("paychex"), paths,
                                            QDir(dir.path()).filePath(QStringLiteral("p.ini")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("adp, quickbooks, gusto"))) << error.toStdString();
}
} // namespace
