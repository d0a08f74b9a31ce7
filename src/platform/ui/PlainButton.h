#pragma once

#include <QPushButton>
#include <QString>

// A push button that Enter in another box of its window never presses by itself.
inline QPushButton* plainButton(const QString& text, const char* objectName)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}
