#include "platform/KeyBurst.h"

#include <QStringList>
#include <vector>
#include <gtest/gtest.h>

namespace {
// A script of keys: each step is the milliseconds since the previous one and what came, "\n" for
// Enter and "!" before the text for a key that came while the screen took no input.
struct Step {
    int after;
    const char* keys;
};

struct Outcome {
    QStringList enters; // "reader" or "typed" for each Enter, in order
    QStringList readings;
};

Outcome play(const std::vector<Step>& steps)
{
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
    KeyBurst burst;
    Outcome outcome;
    qint64 at = 0;
    const auto poll = [&] {
        if (std::optional<QString> read = burst.reading(start.addMSecs(at)))
            outcome.readings.append(*read);
    };
    for (const Step& step : steps) {
        // The screen looks every 100 ms, and the steps' own times are looked at as well.
        for (qint64 tick = (at / 100 + 1) * 100; tick < at + step.after; tick += 100) {
            if (std::optional<QString> read = burst.reading(start.addMSecs(tick)))
                outcome.readings.append(*read);
        }
        at += step.after;
        QString keys = QString::fromLatin1(step.keys);
        const bool ignored = keys.startsWith(QLatin1Char('!'));
        if (ignored)
            keys.remove(0, 1);
        if (keys == QLatin1String("\n")) {
            const bool reader = burst.enter(start.addMSecs(at), ignored);
            outcome.enters.append(reader ? QStringLiteral("reader") : QStringLiteral("typed"));
        } else {
            for (const QChar c : keys) {
                burst.key(QString(c), start.addMSecs(at), ignored);
                at += 10;
            }
            at -= 10;
        }
        poll();
    }
    at += 1000;
    poll();
    return outcome;
}
} // namespace

TEST(KeyBurst, ReadersAreToldFromTyping)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;
        QStringList enters;
        QStringList readings;
    };
    const QString reader = QStringLiteral("reader");
    const QString typed = QStringLiteral("typed");
    const Case cases[] = {
        {"a card 10 ms a key", {{0, "0004512345"}, {10, "\n"}}, {reader}, {"0004512345"}},
        {"the Enter 50 ms late still ends it", {{0, "0004512345"}, {50, "\n"}}, {reader}, {"0004512345"}},
        {"the Enter 51 ms late is typed", {{0, "0004512345"}, {51, "\n"}}, {typed}, {}},
        {"typing by hand", {{0, "1"}, {120, "2"}, {90, "3"}, {150, "4"}, {80, "\n"}}, {typed}, {}},
        {"three quick keys are too short", {{0, "123"}, {10, "\n"}}, {typed}, {}},
        {"a hand-typed start is left out", {{0, "12"}, {300, "4512345"}, {10, "\n"}}, {reader}, {"4512345"}},
        {"an Enter inside the burst keeps one reading",
         {{0, "00045"}, {10, "\n"}, {10, "12345"}, {10, "\n"}},
         {reader, reader},
         {"0004512345"}},
        {"CR LF at the end", {{0, "0004512345"}, {10, "\n"}, {10, "\n"}}, {reader, reader}, {"0004512345"}},
        {"two bursts in a row",
         {{0, "0004512345"}, {10, "\n"}, {400, "0004512399"}, {10, "\n"}},
         {reader, reader},
         {"0004512345", "0004512399"}},
        {"the next card before the screen looked",
         {{0, "0004512345"}, {10, "\n"}, {60, "77778888"}, {10, "\n"}},
         {reader, reader},
         {"0004512345", "77778888"}},
        {"keys while the screen is busy drop the reading whole",
         {{0, "!00045"}, {10, "12345"}, {10, "\n"}},
         {reader},
         {}},
        {"an Enter while busy drops it too", {{0, "0004512345"}, {10, "!\n"}}, {reader}, {}},
        {"a burst cut off without its Enter is nothing",
         {{0, "00045"}, {10, "\n"}, {10, "123"}, {500, "9"}},
         {reader},
         {}},
    };
    for (const Case& c : cases) {
        const Outcome outcome = play(c.steps);
        EXPECT_EQ(outcome.enters, c.enters) << c.name;
        EXPECT_EQ(outcome.readings, c.readings) << c.name;
    }
}
