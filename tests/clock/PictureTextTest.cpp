#include "clock/PictureText.h"

#include "platform/ProgramPaths.h"

#include <gtest/gtest.h>

TEST(PictureText, FileIsNamedByRecordNumberInPicturesFolder)
{
    ProgramPaths paths(QStringLiteral("/opt/clock"));
    paths.setDataFolder(QStringLiteral("/srv/data"));
    EXPECT_EQ(PictureText::fileName(paths, 1523), QStringLiteral("/srv/data/Pictures/1523.jpg"));
    EXPECT_EQ(PictureText::fileName(paths, 1), QStringLiteral("/srv/data/Pictures/1.jpg"));
}

TEST(PictureText, TextsWithAndWithoutEmployees)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        PictureText::Punch punch;
        bool employees;
        bool twelveHour;
        QLocale locale;
        const char* text;
    } cases[] = {
        {{QStringLiteral("123"), QStringLiteral("Sample Name"), QDate(2026, 12, 4), QTime(8, 1, 30), false},
         true,
         true,
         english,
         "Id 123, Sample Name 04-Dec-26  In 08:01 AM"},
        {{QStringLiteral("123"), QStringLiteral("Sample Name"), QDate(2026, 12, 4), QTime(20, 5), true},
         true,
         false,
         english,
         "Id 123, Sample Name 04-Dec-26  Out 20:05"},
        {{QStringLiteral("AB 12"), QStringLiteral("AB 12"), QDate(2027, 3, 9), QTime(20, 5), true},
         false,
         true,
         english,
         "Id AB 12 On 09-Mar-27  Out 08:05 PM"},
        {{QStringLiteral("7"), QString(), QDate(2026, 12, 4), QTime(0, 0), false},
         false,
         false,
         english,
         "Id 7 On 04-Dec-26  In 00:00"},
        // The month is the machine language's own abbreviation.
        {{QStringLiteral("7"), QString(), QDate(2026, 3, 4), QTime(7, 0), false},
         false,
         false,
         german,
         "Id 7 On 04-M\u00e4rz-26  In 07:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureText::text(c.punch, c.employees, c.twelveHour, c.locale), QString::fromUtf8(c.text))
            << c.text;
    }
}
