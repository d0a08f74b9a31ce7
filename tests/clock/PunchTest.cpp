#include "clock/Punch.h"

#include "clock/PanelLook.h"

#include <gtest/gtest.h>

TEST(Punch, NormalisesTypedIds)
{
    const std::pair<const char*, const char*> cases[] = {
        {" ab*12 ", "AB 12"},
        {"***", ""},
        {" * x * ", "X"},
        {"o'neil", "O'NEIL"},
        {"", ""},
        {"a**b", "A  B"},
        {"ß1", "ß1"},
        {"é1", "É1"},
        {"ǆ", "Ǆ"},
        {"\U00010428x", "\U00010400X"},
    };
    for (const auto& [typed, id] : cases)
        EXPECT_EQ(Punch::normaliseId(QString::fromUtf8(typed)), QString::fromUtf8(id)) << typed;
}

TEST(Punch, ElapsedTimeCountsCalendarMinutes)
{
    const QDate d(2026, 12, 4);
    const struct {
        QDateTime from, to;
        const char* text;
    } cases[] = {
        {QDateTime(d, QTime(8, 0, 59)), QDateTime(d, QTime(16, 5, 0)), "8:05"},
        {QDateTime(d, QTime(8, 0, 0)), QDateTime(d, QTime(8, 0, 59)), "0:00"},
        {QDateTime(d, QTime(23, 59, 59)), QDateTime(d.addDays(1), QTime(0, 0, 1)), "0:01"},
        {QDateTime(d, QTime(6, 0)), QDateTime(d.addDays(2), QTime(6, 30)), "48:30"},
        // The night the clocks go back: eight hours on the clock face, nine by the stopwatch.
        {QDateTime(QDate(2026, 10, 31), QTime(22, 0)), QDateTime(QDate(2026, 11, 1), QTime(6, 0)), "8:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Punch::elapsedText(c.from, c.to), QString::fromLatin1(c.text)) << c.text;
}

TEST(PanelLook, ColoursAndTextsFollowTheOutcome)
{
    SettingsRecord s;
    s.goodMorning = QStringLiteral("Morning!");
    s.goodNight = QStringLiteral("Night!");
    const Rgb white{255, 255, 255}, cyan{0, 255, 255}, red{255, 0, 0}, teal{0, 128, 128};
    const struct {
        PunchOutcome outcome;
        Rgb background;
        std::optional<Rgb> line2;
        const char* line2Text;
        const char* line3Text;
        bool picture;
    } cases[] = {
        {PunchOutcome::NormalIn, white, teal, "Clocking In", "Morning!", true},
        {PunchOutcome::OutWarning, cyan, std::nullopt, "warn", "Night!", false},
        {PunchOutcome::Reject, red, white, "Rejected", "warn", false},
    };
    for (const auto& c : cases) {
        const PanelLook look = PanelLook::forOutcome(c.outcome, QStringLiteral("warn"), s);
        const std::string key = outcomeKey(c.outcome).toStdString();
        EXPECT_EQ(look.background, c.background) << key;
        EXPECT_EQ(look.line2, c.line2) << key;
        EXPECT_EQ(look.line2Text, QString::fromLatin1(c.line2Text)) << key;
        EXPECT_EQ(look.line3Text, QString::fromLatin1(c.line3Text)) << key;
        EXPECT_EQ(look.pictureVisible, c.picture) << key;
    }
}
