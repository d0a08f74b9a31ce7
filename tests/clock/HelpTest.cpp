#include "clock/HelpTopics.h"
#include "clock/HelpWindow.h"
#include "clock/KeypadWidget.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

TEST(Keypad, KeysAreNumberedInReadingOrder)
{
    KeypadWidget pad;
    QString characters;
    for (int key = 0; key < KeypadWidget::characterKeys; ++key)
        characters += KeypadWidget::caption(key);
    EXPECT_EQ(characters, QStringLiteral("1234567890QWERTYUIOPASDFGHJKLZXCVBNM"));
    EXPECT_EQ(KeypadWidget::caption(36), QStringLiteral("E  N  T  E  R"));
    EXPECT_EQ(KeypadWidget::caption(37), QStringLiteral("Clear"));
    EXPECT_TRUE(KeypadWidget::caption(38).isEmpty());

    QSignalSpy pressed(&pad, &KeypadWidget::keyPressed);
    for (const int key : {0, 10, 35, 36, 37}) {
        auto* button = pad.findChild<QPushButton*>(QStringLiteral("cmdKey%1").arg(key));
        ASSERT_NE(button, nullptr) << key;
        EXPECT_EQ(button->text(), KeypadWidget::caption(key));
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << key;
        EXPECT_GE(button->minimumHeight(), 44) << "too small for a finger";
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_FALSE(pressed.isEmpty());
        EXPECT_EQ(pressed.takeFirst().at(0).toInt(), key);
    }
    EXPECT_EQ(pad.findChildren<QPushButton*>().size(), KeypadWidget::keyCount);
}

TEST(Help, TopicsOpenByNumber)
{
    EXPECT_EQ(HelpTopics::find(50)->title, QStringLiteral("What equipment do I need"));
    EXPECT_FALSE(HelpTopics::find(999).has_value());

    HelpWindow window;
    window.showTopic(110);
    EXPECT_EQ(window.currentTopic(), 110);
    auto* text = window.findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("How to punch")));
    window.showTopic(999); // unknown: the overview rather than nothing
    EXPECT_EQ(window.currentTopic(), 10);
}
