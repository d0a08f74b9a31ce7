#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, BesideWhenThereIsRoomElseClearOfWhatMustStayInSight)
{
    const QRect wide(0, 0, 1920, 1080), kiosk(0, 0, 1280, 1024), small(0, 0, 800, 600);
    const QRect id(460, 250, 360, 217), keypad = id | QRect(400, 480, 480, 270);
    const struct {
        const char* name;
        QRect screen, owner;
        QList<QRect> keep;
        QRect expected;   // empty: only the rules below
        bool coversFirst; // the first rectangle to keep is given up
        bool coversAll;   // nothing could be kept clear
    } cases[] = {
        {"room on the right", wide, {0, 0, 1000, 740}, {id}, {1008, 0, 760, 520}, false, false},
        {"room on the left",
         wide,
         {920, 100, 1000, 740},
         {id.translated(920, 100)},
         {152, 100, 760, 520},
         false,
         false},
        {"full screen, keypad kept", kiosk, kiosk, {keypad.adjusted(0, 0, 0, -60), id}, {}, false, false},
        {"full screen, keypad given up", kiosk, kiosk, {keypad, id}, {}, true, false},
        {"no room at all", small, small, {{150, 100, 500, 400}}, {20, 40, 760, 520}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect r = WindowPlacement::besideOrOver(c.screen, c.owner, c.keep, {760, 520}, {480, 320});
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(r, c.expected);
        }
        EXPECT_TRUE(c.screen.contains(r));
        EXPECT_TRUE(r.width() >= 480 && r.height() >= 320);
        EXPECT_EQ(r.intersects(c.keep.first()), c.coversFirst);
        EXPECT_EQ(r.intersects(c.keep.last()), c.coversAll);
    }
}
