#include "platform/HelpTopics.h"
#include "platform/ui/HelpWindow.h"

#include <QTextBrowser>
#include <gtest/gtest.h>

TEST(Help, TopicsOpenByNumber)
{
    EXPECT_FALSE(HelpTopics::find(999).has_value());
    HelpWindow window;
    window.showTopic(110);
    EXPECT_EQ(window.currentTopic(), 110);
    EXPECT_TRUE(window.findChild<QTextBrowser*>(QStringLiteral("txtHelp"))
                    ->toPlainText()
                    .contains(QStringLiteral("How to punch")));
    window.showTopic(999); // unknown: the overview rather than nothing
    EXPECT_EQ(window.currentTopic(), 10);
}
