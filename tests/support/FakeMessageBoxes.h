#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QString>

// Records every message and beep, and answers questions from a script (Yes when it runs out).
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };

    void inform(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        shown.append({text, title, icon});
    }
    Answer askYesNo(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        shown.append({text, title, icon});
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }
    void beep() override { ++beeps; }

    QList<Shown> shown;
    QList<Answer> answers;
    int beeps = 0;
};
