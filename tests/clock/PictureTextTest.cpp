#include "clock/PictureText.h"

#include <gtest/gtest.h>

TEST(PictureText, TextsWithAndWithoutEmployees)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDate day(2026, 12, 4);
    const QString id = QStringLiteral("123"), name = QStringLiteral("Sample Name");
    const struct {
        PictureText::Punch punch;
        bool employees;
        bool twelveHour;
        QLocale locale;
        const char* text;
    } cases[] = {
        {{id, name, day, QTime(8, 1, 30), false},
         true,
         true,
         english,
         "Id 123, Sample Name 04-Dec-26  In 08:01 AM"},
        {{id, name, day, QTime(20, 5), true},
         true,
         false,
         english,
         "Id 123, Sample Name 04-Dec-26  Out 20:05"},
        {{id, name, day, QTime(20, 5), true}, false, true, english, "Id 123 On 04-Dec-26  Out 08:05 PM"},
        // The month is the machine language's own abbreviation.
        {{id, QString(), QDate(2026, 3, 4), QTime(0, 0), false},
         false,
         false,
         QLocale(QLocale::German, QLocale::Germany),
         "Id 123 On 04-M\u00e4rz-26  In 00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureText::text(c.punch, c.employees, c.twelveHour, c.locale), QString::fromUtf8(c.text))
            << c.text;
    }
}
