#pragma once

#include <QString>

class QWidget;

// Every message box and beep of the program goes through this, so windows run headless in tests.
class MessageBoxes {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageBoxes() = default;
    virtual void inform(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    virtual Answer askYesNo(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // Yes, No and Cancel; closing the box counts as Cancel. A seam without a Cancel button asks
    // Yes or No.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title, Icon icon)
    {
        return askYesNo(parent, text, title, icon);
    }
    virtual void beep() = 0;
};
