#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, BesideWhenThereIsRoomElseClearOfWhatMustStayInSight)
{
    const QSize preferred(760, 520), minimum(480, 320);
    const QRect idFrame(460, 250, 360, 217);
    const QRect withKeypad = idFrame | QRect(400, 480, 480, 270);
    const struct {
        const char* name;
        QRect available, owner;
        QList<QRect> keep;
        QRect expected; // empty: only the rules below are checked
        bool covers;    // the window may cover the first rectangle to keep
    } cases[] = {
        {"room on the right", {0, 0, 1920, 1080}, {0, 0, 1000, 740}, {idFrame}, {1008, 0, 760, 520}, false},
        {"room on the left only",
         {0, 0, 1920, 1080},
         {920, 100, 1000, 740},
         {idFrame.translated(920, 100)},
         {152, 100, 760, 520},
         false},
        {"full screen, ID frame only", {0, 0, 1280, 1024}, {0, 0, 1280, 1024}, {idFrame}, {}, false},
        {"full screen, keypad kept too",
         {0, 0, 1280, 1024},
         {0, 0, 1280, 1024},
         {withKeypad, idFrame},
         {},
         false},
        {"small screen: keypad given up",
         {0, 0, 1024, 768},
         {0, 0, 1024, 768},
         {{300, 120, 420, 500}, {332, 120, 360, 217}},
         {},
         false},
        {"too small for any room",
         {0, 0, 800, 600},
         {0, 0, 800, 600},
         {{150, 100, 500, 400}},
         {20, 40, 760, 520},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect r = WindowPlacement::besideOrOver(c.available, c.owner, c.keep, preferred, minimum);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(r, c.expected);
        }
        EXPECT_TRUE(c.available.contains(r));
        EXPECT_GE(r.width(), minimum.width());
        EXPECT_GE(r.height(), minimum.height());
        EXPECT_EQ(r.intersects(c.keep.last()), c.covers);
    }
}
